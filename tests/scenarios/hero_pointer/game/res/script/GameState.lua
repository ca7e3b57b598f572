function OnGameCreate()
    Res_AddSprite("hero", "res/pic.png", 32, 32)
    Game_ActiveStage("main")
end
function OnKeyEvent(key) print("key " .. key) end
