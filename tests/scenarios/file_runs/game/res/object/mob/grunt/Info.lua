count("object/mob/grunt")
Info = { Type = 2, Name = "grunt", HP = 5, Score = 100 }
function OnDamage(m, amount) end
