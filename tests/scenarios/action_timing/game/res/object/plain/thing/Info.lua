Info = { CollisionRadius = 4 }
