Info = { Type = 5, Name = "i", CollisionRadius = 6, Sprite = "dot" }
function OnEaten(item, hero) Soak.eaten = Soak.eaten + 1; Obj_Delete(item) end
