Info = {
    Type = 2, Name = "drone", Sprite = "drone", ZOrder = 5,
    CollisionRadius = 10, HP = 2, Score = 100, GemChance = 0.12,
}

function OnDamage(mob, amount) MobHit(mob, amount) end
