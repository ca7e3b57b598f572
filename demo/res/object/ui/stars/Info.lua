Info = { Sprite = "stars", ZOrder = -19 }
