Option = { ScreenWidth = 450, ScreenHeight = 600 }
