Info = { Type = 1, Name = "h", Life = 3, CollisionRadius = 10, Sprite = "grid", ZOrder = 2 }
function OnDamage(hero, amount)
    Fuzz.Enter("OnDamage", hero, amount)
end
