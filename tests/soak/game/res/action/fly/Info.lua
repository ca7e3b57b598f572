Info = { BeginTime = 1, DY = 1, DX = 0.2, Speed = 80, Interval = 500 }
function OnBegin(me) end
function OnInterval(me) Obj_SetDX(me, -Obj_GetDX(me)) end
