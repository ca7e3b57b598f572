Info = { Sprite = "dot", CollisionRadius = 1 }
