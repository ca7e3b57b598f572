Info = { Type = 6, Name = "e", HP = 3, Sprite = "grid", ZOrder = 4 }
function OnCreate(effect)
    Fuzz.Enter("OnCreate", effect)
end
