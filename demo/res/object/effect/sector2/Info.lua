Info = { Type = 6, Name = "sector2", Sprite = "sector2", ZOrder = 30 }

function OnCreate(e) Banner(e, 60) end
