Info = { Type = 8, Sprite = "wing", CollisionRadius = 8, ZOrder = 2 }
