Info = { Sprite = "finalscore", ZOrder = 30 }
