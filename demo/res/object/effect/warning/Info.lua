Info = { Type = 6, Name = "warning", Sprite = "warning", ZOrder = 30 }

function OnCreate(e) Banner(e, 70) end
