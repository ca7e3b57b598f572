Info = { Type = 6, Name = "sectorclear", Sprite = "sectorclear", ZOrder = 30 }

function OnCreate(e) Banner(e, 70) end
