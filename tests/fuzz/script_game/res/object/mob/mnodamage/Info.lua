Info = { Type = 2, Name = "mnodamage", HP = 1, CollisionRadius = 12, EllipseX = 30, Sprite = "dot" }
OnDamage = nil
