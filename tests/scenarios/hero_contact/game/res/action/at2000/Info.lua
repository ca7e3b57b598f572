Info = { Speed = 0, BeginTime = 2000 }
function OnBegin(o) end
