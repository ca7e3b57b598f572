Info = { Type = 4, Name = "p", Power = 2, Speed = 300, Positive = 1, CollisionRadius = 3, Sprite = "dot" }
function OnHit(bullet, target)
    Fuzz.Enter("OnHit", bullet, target)
end
