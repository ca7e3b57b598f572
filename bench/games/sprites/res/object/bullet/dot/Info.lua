Info = { Type = 4, Name = "dot", Sprite = "dot", Speed = 1, Power = 1, Positive = 1, AutoDirection = 1 }

function OnHit(b, target) end
