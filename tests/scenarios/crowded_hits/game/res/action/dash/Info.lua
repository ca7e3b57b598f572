Info = { Speed = 400, DX = -1, DY = 0, BeginTime = 1 }
function OnBegin(o) end
