Info = { Type = 8, CollisionRadius = 10 }
