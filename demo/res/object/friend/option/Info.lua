-- The option drone: a friend. Enemy shots that miss the hero can hit it; its shield
-- is kept by the scripts (friends have no hit points).
Info = { Type = 8, Sprite = "option", ZOrder = 9, CollisionRadius = 6 }
