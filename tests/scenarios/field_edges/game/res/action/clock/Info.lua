-- On the system object, updated before the stage: frame is the number of the frame
-- under way, and Tick sees the world as the previous frame left it.
Info = { BeginTime = 125, Interval = 125 }
function OnBegin(o) frame = 1; Tick() end
function OnInterval(o) frame = frame + 1; Tick() end
