Info = { Type = 7, Sprite = "digits", ZOrder = 31, DigitSpace = 8, X = 183, Y = 322 }
