-- Counts frames on the system object; a new stage sets it again, and it goes on counting.
Info = { BeginTime = 125, Interval = 125 }
function OnBegin(o) frame = frame + 1; OnFrame(frame) end
function OnInterval(o) frame = frame + 1; OnFrame(frame) end
