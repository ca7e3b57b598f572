Info = { DX = 0.5, DY = -2, Speed = 3, BeginTime = 60000 }
