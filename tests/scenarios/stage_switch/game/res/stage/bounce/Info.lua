function OnStageCreate()
    print("bounce created")
    Stage_AddObject("left", "plain/thing")
    Game_ActiveStage("final")
    print("bounce goes on in", Game_GetCurStage(), (Obj_GetHandle("left")), Obj_GetHandle("f") ~= nil)
end
