Info = { Sprite = "thanks", ZOrder = 30 }
