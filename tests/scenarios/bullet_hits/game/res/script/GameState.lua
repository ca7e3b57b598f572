function OnGameCreate()
    Res_AddSprite("dot", "res/pic.png", 8, 8)
    Game_ActiveStage("main")
end
