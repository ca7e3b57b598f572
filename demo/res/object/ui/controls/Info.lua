Info = { Sprite = "controls", ZOrder = 30 }
