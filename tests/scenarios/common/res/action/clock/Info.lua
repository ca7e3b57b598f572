-- On the system object, updated before the stage: frame is the number of the frame under
-- way, and the stage's Tick sees the world as the previous frame left it. Other owners
-- of this action call Observe, after the objects registered before them moved.
Info = { BeginTime = 125, Interval = 125 }
function OnBegin(o) if o == Game_GetSystemHandle() then frame = 1; if Tick then Tick() end end end
function OnInterval(o)
    if o ~= Game_GetSystemHandle() then return Observe and Observe(frame) end
    frame = frame + 1
    if Tick then Tick() end
end
