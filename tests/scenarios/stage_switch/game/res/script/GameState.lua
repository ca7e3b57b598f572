frame = 0
visits = 0
function OnGameCreate() Game_ActiveStage("one") end
-- Called by the system object's clock every frame, before the stage's pass.
function OnFrame(f)
    if f == 7 then
        print("frame 7 no stage", (Game_GetCurStage()), type(Stage_GetObject("t")), (Obj_GetX(Stage_GetObject("t"))))
        local ok, err = pcall(Game_ActiveStage, "missing")
        print("missing stage", ok, err)
        print("current", Game_GetCurStage(), type(Stage_GetObject("t")))
        ok, err = pcall(Game_ActiveStage, "broken")
        print("broken stage", ok, err)
        print("current", Game_GetCurStage())
    elseif f == 8 then
        Game_ActiveStage("bounce")
        print("frame 8 current", Game_GetCurStage())
    elseif f == 9 then
        Game_ActiveStage("one")
    elseif f == 12 then
        Game_Exit()
    end
end
