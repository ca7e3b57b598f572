Info = { Speed = 0, BeginTime = 1 }
function OnBegin(o) end
