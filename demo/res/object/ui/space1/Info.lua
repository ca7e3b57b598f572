Info = { Sprite = "space1", ZOrder = -20 }
