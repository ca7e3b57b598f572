Info = { Type = 0 }
