Info = { Type = 6, Name = "spark" }
function OnCreate(e)
    print("spark OnCreate at", Obj_GetX(e), Obj_GetY(e), "registered:", (Obj_GetHandle("3_Effect2")))
end
