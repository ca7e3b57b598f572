Info = { Sprite = "red" }
