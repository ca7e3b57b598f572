Info = { Speed = 0, BeginTime = 1000 }
function OnBegin(o) end
