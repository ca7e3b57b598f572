-- AutoDirection is a number: true would read as 0, and the picture would not turn.
Info = {
    Type = 2, Name = "swooper", Sprite = "swooper", ZOrder = 5,
    CollisionRadius = 10, HP = 3, Score = 150, GemChance = 0.25, AutoDirection = 1,
}

function OnDamage(mob, amount) MobHit(mob, amount) end
