Info = { BeginTime = 1, Interval = 1, Speed = 0 }
function OnBegin(me) end
function OnInterval(me) Soak.Tick() end
