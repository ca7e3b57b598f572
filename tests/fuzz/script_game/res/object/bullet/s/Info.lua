Info = { Type = 4, Name = "s", Power = 1, Speed = 200, Positive = 0, AutoDirection = 1, CollisionRadius = 3, Sprite = "dot", ZOrder = 3 }
function OnHit(bullet, target)
    Fuzz.Enter("OnHit", bullet, target)
end
