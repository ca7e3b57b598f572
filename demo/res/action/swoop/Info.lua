-- Enters heading down and turns by "turn" degrees a tick for a while: a curve across
-- the field. The picture follows the turn by itself (AutoDirection).
Info = { DY = 1, Speed = 175, BeginTime = 1, Interval = 50 }

function OnBegin(o)
    Obj_SetAngleDXDY(o, Obj_GetCustom(o, "angle"))
end

function OnAction(o) end

function OnInterval(o)
    local step = Obj_GetStep(o)
    Obj_SetStep(o, step + 1)
    if step <= 44 then
        local angle = Obj_GetCustom(o, "angle") + Obj_GetCustom(o, "turn")
        Obj_SetCustom(o, "angle", angle)
        Obj_SetAngleDXDY(o, angle)
    end
    if step == 10 then FireAimed("bullet/needle", o) end
    if OffField(o, 40) then Obj_Delete(o) end
end
