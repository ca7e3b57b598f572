Info = { Type = 4, Name = "shot", Sprite = "shot", Power = 1, Speed = 480, Positive = 1,
         CollisionRadius = 3, AutoDirection = 1, ZOrder = 3 }
function OnHit(bullet, target) tally.hits = tally.hits + 1; Obj_Delete(bullet) end
