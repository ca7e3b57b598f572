Info = { Type = 2, Name = "grunt", HP = 9 }
