Info = { Type = 7, Sprite = "dot", DigitSpace = 3 }
