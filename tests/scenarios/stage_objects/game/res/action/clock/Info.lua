-- A frame counter on the system object (updated first every frame): frame is the
-- number of the current frame from 1. Other owners of this action report instead.
Info = { BeginTime = 125, Interval = 125 }
function OnBegin(o) if o == Game_GetSystemHandle() then frame = 1 end end
function OnInterval(o)
    if o == Game_GetSystemHandle() then frame = frame + 1 elseif Observe then Observe(frame) end
end
