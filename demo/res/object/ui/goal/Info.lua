Info = { Sprite = "goal", ZOrder = 30 }
