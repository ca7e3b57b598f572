-- The gunship: descends, stops and turns its cannon on the hero, fires rings, and
-- after a while sinks away. Step 1 is the descent, 2 the stand.
Info = { DY = 1, Speed = 90, BeginTime = 1, ActTime = 1500, Interval = 100 }

function OnBegin(o) end

function OnAction(o)
    if Obj_GetStep(o) == 1 then
        Obj_SetStep(o, 2)
        Obj_SetSpeed(o, 0)
        Obj_SetActionTime(o, 5500)
    else
        Obj_SetSpeed(o, 60)
    end
end

function OnInterval(o)
    local hero = Obj_GetHero()
    if hero then Obj_SetDirection(o, hero) end
    local t = Obj_GetCustom(o, "t") + 1
    Obj_SetCustom(o, "t", t)
    if Obj_GetSpeed(o) == 0 then
        if t % 12 == 0 then
            FireRing("bullet/orb", Obj_GetX(o), Obj_GetY(o), 12, t * 7)
        elseif t % 12 == 6 then
            FireAimed("bullet/needle", o, 3, 14)
        end
    end
    if Obj_GetY(o) > 660 then Obj_Delete(o) end
end
