-- A wide, flat target: the ellipse keys shape the hit area to the hull.
Info = {
    Type = 2, Name = "guardian", Sprite = "guardian", ZOrder = 4,
    CollisionRadius = 30, EllipseX = 56, EllipseY = 30, HP = 540, Score = 25000, GemChance = 0,
}

function OnDamage(mob, amount) MobHit(mob, amount) end
