Info = { Sprite = "gameover", ZOrder = 30 }
