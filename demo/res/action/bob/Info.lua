-- Title text bobbing gently up and down.
Info = { DY = 1, Speed = 5, BeginTime = 1, Interval = 900 }

function OnBegin(o) end
function OnAction(o) end

function OnInterval(o)
    Obj_SetDY(o, -Obj_GetDY(o))
end
