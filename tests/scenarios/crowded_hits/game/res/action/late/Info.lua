Info = { Speed = 0, BeginTime = 700 }
function OnBegin(o) end
