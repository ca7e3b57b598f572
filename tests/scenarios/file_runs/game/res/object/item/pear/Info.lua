count("object/item/pear")
Info = { Type = 5, Name = "pear" }
