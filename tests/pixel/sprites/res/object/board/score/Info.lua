Info = { Type = 7, Sprite = "digits", DigitSpace = 4, X = 25, Y = 80.7 }
