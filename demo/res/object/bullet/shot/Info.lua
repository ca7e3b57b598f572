-- The hero's shot: Positive = 1 makes it hit mobs. AutoDirection turns it along a fan.
Info = {
    Type = 4, Name = "shot", Sprite = "shot", ZOrder = 8,
    CollisionRadius = 3, EllipseY = 7, Power = 1, Speed = 540, Positive = 1, AutoDirection = 1,
}

function OnHit(bullet, target)
    Obj_Delete(bullet)
    Stage_CreateEffect("spark", Obj_GetX(bullet), Obj_GetY(bullet) - 6)
end
