Info = { Type = 4, Name = "b16", Sprite = "b16", Speed = 16, Positive = 1 }
function OnHit(b, t) end
