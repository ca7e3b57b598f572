count("object/plain/thing")
Info = { Type = 3 }
