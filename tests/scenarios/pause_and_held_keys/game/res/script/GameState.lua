function OnGameCreate()
    Res_AddSprite("dot", "res/pic/dot.png", 8, 8)
    Game_ActiveStage("main")
end
-- P (80) pauses and resumes: key events go on while the world stands still.
function OnKeyEvent(key)
    print(string.format("down %d held %s shift %s t %.3f", key, tostring(Key_IsDown(key)),
        tostring(Key_IsDown(16)), Game_GetStageTime()))
    if key == 80 then
        Game_SetPause(not Game_GetPause())
        print("paused", Game_GetPause())
    end
end
function OnKeyUp(key)
    print("up " .. key .. " held " .. tostring(Key_IsDown(key)))
    if key == 88 then error("release fails like any callback") end
end
