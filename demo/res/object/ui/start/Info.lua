Info = { Sprite = "start", ZOrder = 30 }
