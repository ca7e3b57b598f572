Info = { Type = 6, Name = "enocreate", Sprite = "dot" }
OnCreate = nil
