Info = { Type = 4, Name = "shot", Sprite = "dot", Speed = 1, Power = 1, Positive = 1, CollisionRadius = 3 }

function OnHit(bullet, target)
    Shots = Shots + 1
    Obj_Delete(bullet)
    Replace(bullet)
end
