Info = { Type = 2, Name = "drone", Sprite = "dot", HP = 50, Score = 10, CollisionRadius = 8, AutoDirection = 1 }

function OnDamage(mob, amount)
    Hits = Hits + 1
    local hp = Obj_GetHP(mob) - amount
    if hp <= 0 then
        hp = Info.HP -- it never dies, so the crowd stays the same
    end
    Obj_SetHP(mob, hp)
end
