Info = { Type = 3, Sprite = "dot" }
