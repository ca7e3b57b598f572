Info = { DX = 1, DY = 1, BeginTime = 125 }
function OnBegin(o) end
