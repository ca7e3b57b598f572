Info = { Type = 9, ZOrder = 5.9 }
