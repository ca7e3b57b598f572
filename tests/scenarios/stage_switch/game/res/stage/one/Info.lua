Info = { Level = 1 }
function OnStageCreate()
    visits = visits + 1
    print("one created, visit " .. visits)
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    for id, key in ipairs({ "a", "b" }) do
        local o = Stage_AddObject(key, "plain/thing")
        Obj_SetCustom(o, "id", id); Obj_SetAction(o, "switcher")
    end
end
