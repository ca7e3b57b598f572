Info = { Type = 5, Name = "i", CollisionRadius = 6, Sprite = "dot" }

function OnEaten(item, hero)
    Obj_Delete(item)
end
