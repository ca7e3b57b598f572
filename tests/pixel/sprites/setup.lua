Option = { ScreenWidth = 200, ScreenHeight = 200, FullScreen = 0 }
