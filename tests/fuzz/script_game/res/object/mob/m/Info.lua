Info = { Type = 2, Name = "m", HP = 5, Score = 10, CollisionRadius = 12, Sprite = "grid", AutoDirection = 1, ZOrder = 1 }
function OnDamage(mob, power)
    Fuzz.Enter("OnDamage", mob, power)
end
