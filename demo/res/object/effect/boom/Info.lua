Info = { Type = 6, Name = "boom", Sprite = "boom", ZOrder = 15 }

function OnCreate(e) Burst(e, 420) end
