Info = { BeginTime = 1, Interval = 1, Speed = 0 }
function OnBegin(me)
    Fuzz.Enter("OnBegin", me)
end
function OnInterval(me)
    Fuzz.Enter("OnInterval", me)
end
