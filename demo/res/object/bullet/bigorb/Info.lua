-- An enemy shot (Positive = 0): it hits the hero, and the option drone behind it.
Info = {
    Type = 4, Name = "bigorb", Sprite = "bigorb", ZOrder = 20,
    CollisionRadius = 6, Power = 1, Speed = 135, Positive = 0, AutoDirection = 0,
}

function OnHit(bullet, target)
    EnemyShotHit(bullet, target)
end
