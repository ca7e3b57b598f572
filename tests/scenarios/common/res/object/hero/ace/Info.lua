Info = { Type = 1, Name = "ace", Sprite = "hero", Life = 3 }
function OnDamage(h, amount) end
