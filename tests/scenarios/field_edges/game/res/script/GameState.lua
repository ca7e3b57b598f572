function OnGameCreate()
    Res_AddSprite("b16", "res/pic.png", 16, 16)
    Res_AddSprite("m64", "res/pic.png", 64, 64)
    Game_ActiveStage("main")
end
