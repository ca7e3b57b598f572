Info = { Type = 5, Name = "inoeat", CollisionRadius = 8, EllipseY = 20, Sprite = "dot" }
OnEaten = nil
