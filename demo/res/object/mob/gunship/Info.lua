Info = {
    Type = 2, Name = "gunship", Sprite = "gunship", ZOrder = 5,
    CollisionRadius = 18, HP = 16, Score = 800, GemChance = 1,
}

function OnDamage(mob, amount) MobHit(mob, amount) end
