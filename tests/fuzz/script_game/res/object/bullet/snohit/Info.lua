Info = { Type = 4, Name = "snohit", Power = 1, Speed = 100, Positive = 0, CollisionRadius = 30 }
OnHit = nil
