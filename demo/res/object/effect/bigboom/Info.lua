Info = { Type = 6, Name = "bigboom", Sprite = "bigboom", ZOrder = 15 }

function OnCreate(e) Burst(e, 660) end
