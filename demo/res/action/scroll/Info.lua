-- A 640-pixel background tile sliding down; stacked two high, each jumps back above
-- the other once it has left the bottom (a little past it, so shakes show no edge).
Info = { DY = 1, Speed = 30, BeginTime = 1, Interval = 50 }

function OnBegin(o) end
function OnAction(o) end

function OnInterval(o)
    local y = Obj_GetY(o)
    if y - 320 >= 606 then Obj_SetY(o, y - 1280) end
end
