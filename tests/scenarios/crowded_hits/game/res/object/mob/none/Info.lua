Info = { Type = 2, Name = "none", CollisionRadius = 0, HP = 1 }
function OnDamage(m, amount) Damaged(m, amount) end
