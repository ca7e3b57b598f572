-- The system object's clock: it moves one pixel a second, so its X is the stage time.
Info = { DX = 1, Speed = 1, BeginTime = 1, Interval = 1 }

function OnBegin(o) end

function OnInterval(o)
    Refill(Obj_GetX(o))
end
