Info = { Type = 2, Name = "wide", CollisionRadius = 1, EllipseX = 30, EllipseY = 4, HP = 3 }
function OnDamage(m, amount) Damaged(m, amount) end
