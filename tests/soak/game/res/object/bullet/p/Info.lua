Info = { Type = 4, Name = "p", Power = 1, Speed = 350, Positive = 1, CollisionRadius = 2, Sprite = "dot" }
function OnHit(bullet, target) Soak.hits = Soak.hits + 1; Obj_Delete(bullet) end
