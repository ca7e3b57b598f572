Info = { Type = 6, Name = "spark", Sprite = "spark", ZOrder = 15 }

function OnCreate(e) Burst(e, 140) end
