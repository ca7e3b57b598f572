Info = { Type = 4, Name = "shot", Speed = 8, Power = 1, Positive = 1 }
function OnHit(b, t) end
