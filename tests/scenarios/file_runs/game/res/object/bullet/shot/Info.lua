count("object/bullet/shot")
Info = { Type = 4, Name = "shot", Speed = 2.5, Power = 2.5 }
function OnHit(b, t) end
