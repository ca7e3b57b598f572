Info = { Type = 2, Name = "huge", CollisionRadius = 1e30, HP = 3 }
function OnDamage(m, amount) Damaged(m, amount) end
