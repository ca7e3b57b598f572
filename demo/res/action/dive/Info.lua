-- Straight down; one aimed shot a little after appearing.
Info = { DY = 1, Speed = 115, BeginTime = 1, ActTime = 900, Interval = 250 }

function OnBegin(o) end

function OnAction(o)
    FireAimed("bullet/orb", o)
end

function OnInterval(o)
    if Obj_GetY(o) > 640 then Obj_Delete(o) end
end
