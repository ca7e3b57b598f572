Info = { Type = 6, Name = "efail", Sprite = "dot" }
function OnCreate(effect)
    error("the effect refuses")
end
