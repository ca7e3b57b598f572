Info = { Type = 2, Name = "bat", Sprite = "m64" }
function OnDamage(m, amount) end
