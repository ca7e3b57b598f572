Info = { Type = 8, Sprite = "m64" }
