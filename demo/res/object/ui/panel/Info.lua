Info = { Sprite = "panel", ZOrder = 100 }
