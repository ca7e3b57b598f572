Info = { DX = 0, DY = 1, Speed = 40, BeginTime = 1, ActTime = 100, Interval = 50 }
function OnBegin(me)
    Fuzz.Enter("OnBegin", me)
end
function OnAction(me)
    Fuzz.Enter("OnAction", me)
end
function OnInterval(me)
    Fuzz.Enter("OnInterval", me)
end
