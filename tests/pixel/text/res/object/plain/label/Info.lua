Info = { ZOrder = 1 }
