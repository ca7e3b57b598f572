Info = { Type = 6, Name = "sector1", Sprite = "sector1", ZOrder = 30 }

function OnCreate(e) Banner(e, 60) end
