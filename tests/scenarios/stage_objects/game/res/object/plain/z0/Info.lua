Info = { Type = 0, ZOrder = 0 }
