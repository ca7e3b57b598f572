Info = { BeginTime = 1, Interval = 100, Speed = 0 }
function OnBegin(me)
end
function OnInterval(me)
    Fuzz.Beat(me)
end
