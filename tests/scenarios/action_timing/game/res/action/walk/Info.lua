Info = { DX = 1, Speed = 8, BeginTime = 500, ActTime = 1000, Interval = 250 }
function OnBegin(o) print("frame " .. frame .. " OnBegin x=" .. Obj_GetX(o)) end
function OnAction(o)
    print("frame " .. frame .. " OnAction x=" .. Obj_GetX(o))
    if frame == 20 then Obj_SetIntervalTime(o, 375) end
end
function OnInterval(o) print("frame " .. frame .. " OnInterval x=" .. Obj_GetX(o)) end
