Info = { Sprite = "bossbar", ZOrder = 101 }
