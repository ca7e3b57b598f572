-- What is left of the guardian: its picture with the core gone dark and still.
Info = { Type = 6, Name = "wreck", Sprite = "guardian", ZOrder = 4 }

function OnCreate(e)
    Obj_PlayAni(e, "Core", false)
    Obj_StopAni(e)
    Obj_SetRGB(e, 0.25, 0.05, 0)
    Obj_SetAction(e, "sinking")
end
