Info = { Type = 1e300, ZOrder = -1e300, CollisionRadius = 0 / 0, EllipseX = 1 / 0, Sprite = {} }
