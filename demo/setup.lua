-- The play field is 450 x 600; the window is wider so the score panel sits beside it.
Option = {
    ScreenWidth = 640,
    ScreenHeight = 600,
    FullScreen = 0,
    Controller = 0,
}
