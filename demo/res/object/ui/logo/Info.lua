Info = { Sprite = "logo", ZOrder = 30 }
