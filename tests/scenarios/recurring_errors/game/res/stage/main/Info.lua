Info = { Level = 1 }
function OnStageCreate()
    Obj_SetAction(Stage_AddObject("ticker", "plain/ticker"), "tick")
end
