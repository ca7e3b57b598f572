Info = { Speed = 0, BeginTime = 1500 }
function OnBegin(o) end
