-- No picture: such a bullet lives while it is on the field, edges included.
Info = { Type = 4, Name = "bare", Speed = 16, Positive = 1 }
function OnHit(b, t) end
