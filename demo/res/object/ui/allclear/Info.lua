Info = { Sprite = "allclear", ZOrder = 30 }
