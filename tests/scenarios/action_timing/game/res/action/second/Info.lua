Info = { X = 100, DX = -1, Speed = 8, BeginTime = 125 }
function OnBegin(o) log = log .. "B" end
