Info = { BeginTime = 1, Speed = 0 }
function OnBegin(me) end
