-- Score boards are drawn where their file says, and never shift with the screen.
Info = { Type = 7, Sprite = "digits", ZOrder = 101, DigitSpace = 8, X = 505, Y = 56 }
