-- On the system object, updated before the stage. A period of one millisecond always
-- lags behind the frames, so OnInterval comes once every frame.
Info = { BeginTime = 1, Interval = 1 }
function OnBegin(o) frame = 1; Tick() end
function OnInterval(o) frame = frame + 1; Tick() end
