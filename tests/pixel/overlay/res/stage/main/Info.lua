Info = { Level = 1 }
-- One object without a picture: only its hit area shows, a diamond 40 wide and 80 high.
function OnStageCreate()
    local target = Stage_AddObject("target", "plain/target")
    Obj_SetX(target, 200)
    Obj_SetY(target, 300)
end
