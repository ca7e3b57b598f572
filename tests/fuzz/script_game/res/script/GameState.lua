if not Fuzz then
    dofile("res/script/Fuzz.lua")
end
function OnGameCreate()
    Fuzz.Setup()
    Game_ActiveStage(Fuzz.Pick(Fuzz.stagesGood))
    Fuzz.Enter("OnGameCreate")
end
function OnKeyEvent(key)
    if Game_GetCurStage() == nil or math.random(10) == 1 then
        Game_ActiveStage(Fuzz.Pick(Fuzz.stagesGood))
    end
    Fuzz.Enter("OnKeyEvent", key)
end
-- A paused game only hears keys, so releases lift the pause now and then.
function OnKeyUp(key)
    if math.random(4) == 1 then Game_SetPause(false) end
    Fuzz.Enter("OnKeyUp", key)
end
