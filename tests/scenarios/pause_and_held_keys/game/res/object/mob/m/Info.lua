Info = { Type = 2, Name = "m", HP = 1, Sprite = "dot", ZOrder = 1 }
function OnDamage(o, n) end
