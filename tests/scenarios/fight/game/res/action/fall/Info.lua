-- Drifts toward the hero; one that misses is cleared away below the field.
Info = { Speed = 120, BeginTime = 1, Interval = 500 }
function OnBegin(item)
    local hero = Obj_GetHero()
    if hero then
        Obj_SetDX(item, Obj_GetDirectionX(item, hero))
        Obj_SetDY(item, Obj_GetDirectionY(item, hero))
    else
        Obj_SetDY(item, 1)
    end
end
function OnInterval(item)
    if Obj_GetY(item) > 650 then Obj_Delete(item) end
end
