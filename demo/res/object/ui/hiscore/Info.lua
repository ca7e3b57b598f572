Info = { Type = 7, Sprite = "digits", ZOrder = 101, DigitSpace = 8, X = 505, Y = 118 }
