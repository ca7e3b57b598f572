Info = { Type = 6, Name = "e", HP = 1, Sprite = "grid", ZOrder = 5 }
function OnCreate(effect) Obj_SetAlpha(effect, 0.5) end
