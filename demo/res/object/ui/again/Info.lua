Info = { Sprite = "again", ZOrder = 30 }
