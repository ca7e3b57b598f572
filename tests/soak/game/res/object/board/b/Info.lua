Info = { Type = 7, Sprite = "digits", DigitSpace = 6, X = 300, Y = 20, ZOrder = 9 }
