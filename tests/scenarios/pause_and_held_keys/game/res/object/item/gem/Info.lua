Info = { Type = 5, Name = "gem", Sprite = "dot", ZOrder = -1 }
function OnEaten(o, h) end
