Info = { Type = 4 }
