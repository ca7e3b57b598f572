Info = { Type = 5, Name = "apple", X = 99, Y = 99 }
