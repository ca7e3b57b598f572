-- The pointing device stands in for the arrow keys when the runner asks for it.
Option = {
    ScreenWidth = 450,
    ScreenHeight = 600,
    FullScreen = 0,
    Controller = tonumber(os.getenv("VELMORA_FUZZ_CONTROLLER") or "0"),
    AdjustX = 0,
    AdjustY = 600,
    Port = 0,
}
