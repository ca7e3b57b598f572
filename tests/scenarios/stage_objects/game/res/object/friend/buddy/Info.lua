Info = { Type = 8 }
