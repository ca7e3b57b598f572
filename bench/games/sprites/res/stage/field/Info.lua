Info = { Level = 1 }

function OnStageCreate()
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    for i = 1, Count do
        Fire(0)
    end
end
