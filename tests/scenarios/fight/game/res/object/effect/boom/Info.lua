Info = { Type = 6, Name = "boom", Sprite = "boom", ZOrder = 4 }
function OnCreate(effect)
    tally.effects = tally.effects + 1
    Obj_PlayAni(effect, "Blast", false)
    Obj_SetAction(effect, "fade")
end
