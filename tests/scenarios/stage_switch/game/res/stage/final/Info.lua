function OnStageCreate()
    print("final created")
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    Stage_AddObject("f", "plain/thing")
end
