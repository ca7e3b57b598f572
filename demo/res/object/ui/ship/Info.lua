-- The title's patrolling ship: the hero's picture on a plain object.
Info = { Sprite = "hero", ZOrder = 10 }
