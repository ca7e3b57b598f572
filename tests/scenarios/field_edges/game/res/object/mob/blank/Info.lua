-- No picture: nothing measures how far off the field it is, so it stays.
Info = { Type = 2, Name = "blank" }
function OnDamage(m, amount) end
