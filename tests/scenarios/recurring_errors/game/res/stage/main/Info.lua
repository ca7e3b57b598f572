Info = { Level = 1 }
function OnStageCreate()
    local t = Stage_AddObject("ticker", "plain/ticker")
    Obj_SetAction(t, "tick")
end
