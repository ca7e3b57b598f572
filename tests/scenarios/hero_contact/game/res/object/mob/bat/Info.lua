Info = { Type = 2, Name = "bat", CollisionRadius = 10, HP = 1 }
function OnDamage(m, amount) end
