Info = { Sprite = "pips", ZOrder = 101 }
