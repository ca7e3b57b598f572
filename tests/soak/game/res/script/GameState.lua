if not Soak then
    dofile("res/script/Soak.lua")
end

function OnGameCreate()
    Game_ActiveStage("a")
end

function OnKeyEvent(key)
end
