Info = { Type = 5, Name = "coin", Sprite = "coin", CollisionRadius = 10, ZOrder = 1 }
function OnEaten(item, hero)
    tally.eaten = tally.eaten + 1
    Score(50)
    Obj_Delete(item)
end
