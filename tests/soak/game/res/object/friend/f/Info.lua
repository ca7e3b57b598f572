Info = { Type = 8, CollisionRadius = 5, Sprite = "dot" }
