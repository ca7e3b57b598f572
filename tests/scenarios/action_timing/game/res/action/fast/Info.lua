Info = { Speed = 8, BeginTime = 125, Interval = 50 }
function OnBegin(o) fired = 0 end
function OnInterval(o) fired = fired + 1 end
