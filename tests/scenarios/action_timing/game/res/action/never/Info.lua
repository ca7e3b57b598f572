Info = { DX = 1, Speed = 8, BeginTime = 0 }
function OnBegin(o) print("frame " .. frame .. " sleeper begins x=" .. Obj_GetX(o)) end
