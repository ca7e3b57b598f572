-- The device's (0, 0) is the field's (100, 500); its y axis points up.
Option = { ScreenWidth = 450, ScreenHeight = 600, FullScreen = 0, Controller = 1, AdjustX = 100, AdjustY = 500 }
