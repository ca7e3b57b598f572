-- An enemy shot (Positive = 0): it hits the hero, and the option drone behind it.
Info = {
    Type = 4, Name = "orb", Sprite = "orb", ZOrder = 20,
    CollisionRadius = 3, Power = 1, Speed = 170, Positive = 0, AutoDirection = 0,
}

function OnHit(bullet, target)
    EnemyShotHit(bullet, target)
end
