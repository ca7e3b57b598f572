Info = { Type = 2, Name = "m", HP = 3, CollisionRadius = 10, Sprite = "grid", AutoDirection = 1 }
function OnDamage(mob, power) Soak.damage = Soak.damage + 1; Obj_SetHP(mob, Obj_GetHP(mob) - power) end
