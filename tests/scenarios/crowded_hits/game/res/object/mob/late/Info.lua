Info = { Type = 2, Name = "late", CollisionRadius = 6, HP = 5 }
function OnDamage(m, amount) Damaged(m, amount) end
