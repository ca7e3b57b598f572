Info = { CollisionRadius = 20, EllipseY = 40 }
