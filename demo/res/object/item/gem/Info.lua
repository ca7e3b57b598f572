Info = { Type = 5, Name = "gem", Sprite = "gem", ZOrder = 3, CollisionRadius = 10 }

function OnEaten(item, hero)
    Obj_Delete(item)
    Sound_Play("gem.wav", 0.7, false)
    AddScore(500)
end
