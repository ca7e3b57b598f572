Info = { Y = 250, BeginTime = 60000 }
