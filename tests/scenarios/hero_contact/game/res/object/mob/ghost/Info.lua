-- No collision radius: it never touches the hero, wherever it stands.
Info = { Type = 2, Name = "ghost", EllipseX = 50, EllipseY = 50 }
function OnDamage(m, amount) end
