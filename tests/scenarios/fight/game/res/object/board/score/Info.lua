Info = { Type = 7, Sprite = "digits", DigitSpace = 6, X = 300, Y = 16, ZOrder = 9 }
