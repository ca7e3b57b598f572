-- Sways beside the hero, turning every second.
Info = { DX = 1, Speed = 60, BeginTime = 1, Interval = 1000 }
function OnBegin(friend) end
function OnInterval(friend) Obj_SetDX(friend, -Obj_GetDX(friend)) end
