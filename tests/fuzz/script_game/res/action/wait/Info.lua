Info = { BeginTime = 0, Speed = 1 }
