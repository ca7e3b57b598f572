Info = { BeginTime = 10, X = 100, Y = 100 }
