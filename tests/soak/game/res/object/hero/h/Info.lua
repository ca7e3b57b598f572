Info = { Type = 1, Name = "h", Life = 100, CollisionRadius = 6, Sprite = "grid", ZOrder = 2 }
function OnDamage(hero, amount) Soak.damage = Soak.damage + 1; Obj_SetHP(hero, 100) end
