Info = { Sprite = "white" }
