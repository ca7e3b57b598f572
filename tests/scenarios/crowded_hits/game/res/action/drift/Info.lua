Info = { Speed = 40, DX = 1, DY = 0.5, BeginTime = 1 }
function OnBegin(o) end
