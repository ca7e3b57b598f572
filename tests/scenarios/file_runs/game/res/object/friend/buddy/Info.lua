count("object/friend/buddy")
Info = { Type = 8 }
