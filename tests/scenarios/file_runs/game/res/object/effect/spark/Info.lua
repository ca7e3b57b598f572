count("object/effect/spark")
Info = { Type = 6, Name = "spark" }
function OnCreate(e) end
