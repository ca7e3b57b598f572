function OnGameCreate()
    Res_AddSprite("red", "res/red.png", 16, 16)
    Res_AddSprite("white", "res/white.png", 16, 16)
    Res_AddSprite("checker", "res/checker.png", 2, 2)
    Res_AddSprite("digits", "res/digits.png", 100, 8)
    Game_ActiveStage("main")
end
function OnKeyEvent(key) end
