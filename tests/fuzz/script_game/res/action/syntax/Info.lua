Info = { BeginTime = 1 }
function OnBegin(me
