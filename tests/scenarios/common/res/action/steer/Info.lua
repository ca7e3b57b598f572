-- 50 pixels per frame of 0.125 s along each axis the keys choose.
Info = { Speed = 400, BeginTime = 1 }
function OnBegin(o) end
