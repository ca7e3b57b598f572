-- An enemy shot (Positive = 0): it hits the hero, and the option drone behind it.
Info = {
    Type = 4, Name = "needle", Sprite = "needle", ZOrder = 20,
    CollisionRadius = 2, EllipseY = 5, Power = 1, Speed = 240, Positive = 0, AutoDirection = 1,
}

function OnHit(bullet, target)
    EnemyShotHit(bullet, target)
end
