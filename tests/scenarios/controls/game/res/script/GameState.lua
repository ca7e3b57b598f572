function OnGameCreate()
    Res_AddSprite("hero", "res/pic.png", 32, 32)
    Game_ActiveStage("main")
    print("created")
    error("boom")
end
-- Key 66 fails every time; the failure is shown once for the whole run.
function OnKeyEvent(key)
    print("key " .. key)
    if key == 66 then
        local missing = nil
        missing.field = key
    end
end
