-- Drifts toward the hero; one that misses is cleared away below the field.
Info = { Speed = 120, BeginTime = 1, Interval = 500 }
function OnBegin(item)
    local hero = Obj_GetHero()
    Obj_SetDX(item, hero and Obj_GetDirectionX(item, hero) or 0)
    Obj_SetDY(item, hero and Obj_GetDirectionY(item, hero) or 1)
end
function OnInterval(item) if Obj_GetY(item) > 650 then Obj_Delete(item) end end
