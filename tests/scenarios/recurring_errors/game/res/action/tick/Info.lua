-- Fails every frame: first as a script error (shown once for the whole run), then,
-- from frame 6 on, as a sound failure (an engine error, shown every frame).
Info = { BeginTime = 1, Interval = 1, Speed = 0 }
ticks = ticks or 0
function OnBegin(obj) end
function OnInterval(obj)
    ticks = ticks + 1
    print("tick " .. ticks)
    if ticks >= 6 then Sound_Add("missing.wav") end
    error("tick failed")
end
