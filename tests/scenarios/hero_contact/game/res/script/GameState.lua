function OnGameCreate()
    Game_ActiveStage("main")
end

function OnKeyEvent(key)
end
