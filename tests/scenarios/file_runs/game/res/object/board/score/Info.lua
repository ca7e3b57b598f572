count("object/board/score")
Info = { Type = 7, DigitSpace = 6, X = 10.7, Y = 10.7 }
