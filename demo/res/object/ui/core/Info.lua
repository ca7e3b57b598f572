-- The ship's hit point, shown while the focus key is held.
Info = { Sprite = "orb", ZOrder = 60 }
