-- The option drone keeps to the hero's left, closing a part of the gap every tick.
Info = { Speed = 1, BeginTime = 1, Interval = 30 }

function OnBegin(o) end
function OnAction(o) end

function OnInterval(o)
    local hero = Obj_GetHero()
    if not hero then
        Obj_SetDX(o, 0)
        Obj_SetDY(o, 40)
        return
    end
    local tx, ty = Obj_GetX(hero) - 30, Obj_GetY(hero) + 12
    Obj_SetDX(o, (tx - Obj_GetX(o)) * 7)
    Obj_SetDY(o, (ty - Obj_GetY(o)) * 7)
end
