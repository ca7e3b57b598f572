Info = { ZOrder = -1 }
