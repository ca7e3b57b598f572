function OnGameCreate()
    -- One 33-pixel cell: the hero keeps 16 pixels from every edge.
    Res_AddSprite("hero", "res/pic.png", 33, 33)
    Game_ActiveStage("main")
end
function OnKeyEvent(key) print("key " .. key) end
