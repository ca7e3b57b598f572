Info = { Type = 1, Name = "ace", Life = 3 }
function OnDamage(h, amount) print("frame " .. frame .. ": hero damaged " .. amount) end
