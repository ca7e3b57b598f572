count("object/hero/ace")
Info = { Type = 1, Name = "ace", Life = 3 }
function OnDamage(h, amount) end
