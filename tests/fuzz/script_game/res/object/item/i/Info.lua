Info = { Type = 5, Name = "i", CollisionRadius = 8, Sprite = "dot", ZOrder = 3 }
function OnEaten(item, hero)
    Fuzz.Enter("OnEaten", item, hero)
end
