-- The system object's clock: 20 ticks a second for timers, waves, shakes and flashes.
-- Every action file defines all three callbacks: a name left undefined here would
-- reach whichever action file ran last.
Info = { BeginTime = 1, Interval = 50 }

function OnBegin(o) end
function OnAction(o) end
function OnInterval(o) DirectorTick() end
