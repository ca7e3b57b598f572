Info = { Level = 3 }

function OnStageCreate()
    BeginStage("clear")
    Backdrop("ui/space1", 30)
    Backdrop("ui/stars", 90)
    BuildHud()
    Place("allclear", "ui/allclear", 225, 150, "bob")
    Place("finaltitle", "ui/finaltitle", 225, 230)
    local final = Stage_AddObject("final", "ui/final")
    Obj_SetY(final, 262)
    ScoreBoard_SetScore(final, Score)
    Place("thanks", "ui/thanks", 225, 340)
    Obj_PlayAni(Place("again", "ui/again", 225, 430), "Blink", true)
    local ship = Place("ship", "ui/ship", 225, 530, "patrol")
    Obj_PlayAni(ship, "Idle", false)
    Sound_Play("clear.wav", 0.9, false)
    Later(80, function() PlayMusic("title.wav") end)
end

-- Fireworks over the field.
function StageTick(tick)
    if tick % 9 == 0 then
        local e = Explode(math.random(40, 410), math.random(40, 300), tick % 27 == 0 and "bigboom" or "boom")
        Obj_SetRGB(e, math.random() * 0.5, math.random() * 0.5, math.random() * 0.5)
    end
end
