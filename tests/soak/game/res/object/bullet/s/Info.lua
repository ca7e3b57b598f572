Info = { Type = 4, Name = "s", Power = 1, Speed = 300, Positive = 0, AutoDirection = 1, CollisionRadius = 2, Sprite = "dot" }
function OnHit(bullet, target) Soak.hits = Soak.hits + 1; Obj_Delete(bullet) end
