Option = { ScreenWidth = 450, ScreenHeight = 600, FullScreen = 0 }
