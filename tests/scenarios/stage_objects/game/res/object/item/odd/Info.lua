Info = { Type = 3, Name = "odd" }
