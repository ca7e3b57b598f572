Info = { Type = 8, CollisionRadius = 6, Sprite = "dot", ZOrder = 2 }
