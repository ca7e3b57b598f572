Info = { Sprite = "space2", ZOrder = -20 }
