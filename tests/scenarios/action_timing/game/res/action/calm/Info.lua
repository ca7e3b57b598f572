Info = { DX = 2 }
