count("object/item/apple")
Info = { Type = 5, Name = "apple" }
function OnEaten(i, h) end
