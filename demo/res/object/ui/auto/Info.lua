Info = { Sprite = "auto", ZOrder = 101 }
