Info = { Level = 2 }
function OnStageCreate()
    print("two created")
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    for id, key in ipairs({ "t", "u" }) do
        local o = Stage_AddObject(key, "plain/thing")
        Obj_SetCustom(o, "id", id); Obj_SetAction(o, "remover")
    end
end
