-- Removes its owner once its action time (set by whoever gives it) has passed.
Info = { BeginTime = 1, ActTime = 500 }

function OnBegin(o) end

function OnAction(o)
    Obj_Delete(o)
end

function OnInterval(o) end
