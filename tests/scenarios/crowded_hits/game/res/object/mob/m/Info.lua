Info = { Type = 2, Name = "m", CollisionRadius = 8, HP = 2 }
function OnDamage(m, amount) Damaged(m, amount) end
