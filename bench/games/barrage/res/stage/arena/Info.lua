Info = { Level = 1 }

function OnStageCreate()
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    for i = 1, Mobs do
        local mob = Stage_AddObject("mob" .. i, "mob/drone")
        Obj_SetX(mob, 30 + math.random() * 390)
        Obj_SetY(mob, 30 + math.random() * 300)
        Obj_SetAction(mob, "drift")
    end
    for i = 1, Count do
        Fire(0)
    end
end
