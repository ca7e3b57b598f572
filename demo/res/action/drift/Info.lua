-- A dropped item: pops up, then falls faster and faster, and is gone below the field.
Info = { DY = -1.2, Speed = 60, BeginTime = 1, Interval = 50 }

function OnBegin(o) end
function OnAction(o) end

function OnInterval(o)
    Obj_SetDY(o, math.min(Obj_GetDY(o) + 0.12, 1))
    if Obj_GetDY(o) > 0 then Obj_SetSpeed(o, math.min(Obj_GetSpeed(o) + 4, 140)) end
    if Obj_GetY(o) > 630 then Obj_Delete(o) end
end
