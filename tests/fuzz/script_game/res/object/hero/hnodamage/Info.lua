Info = { Type = 1, Name = "hnodamage", Life = 1, CollisionRadius = 10, Sprite = "dot" }
OnDamage = nil
