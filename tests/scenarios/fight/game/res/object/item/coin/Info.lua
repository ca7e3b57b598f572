Info = { Type = 5, Name = "coin", Sprite = "coin", CollisionRadius = 10, ZOrder = 1 }
function OnEaten(item, hero)
    tally.eaten = tally.eaten + 1
    score = score + 50
    ScoreBoard_SetScore(Obj_GetHandle("board"), score)
    Obj_Delete(item)
end
