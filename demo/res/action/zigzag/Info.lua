-- Down in a zigzag: the sideways direction flips every period, a shot every other.
Info = { DX = 1, DY = 0.7, Speed = 100, BeginTime = 1, Interval = 600 }

function OnBegin(o)
    Obj_SetDX(o, Obj_GetCustom(o, "side"))
end

function OnAction(o) end

function OnInterval(o)
    Obj_SetDX(o, -Obj_GetDX(o))
    local step = Obj_GetStep(o) + 1
    Obj_SetStep(o, step)
    if step % 2 == 0 then FireAimed("bullet/orb", o) end
    if Obj_GetY(o) > 640 then Obj_Delete(o) end
end
