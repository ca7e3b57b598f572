Info = { Sprite = "life", ZOrder = 101 }
