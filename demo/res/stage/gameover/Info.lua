Info = { Level = 0 }

function OnStageCreate()
    BeginStage("gameover")
    Backdrop("ui/space1", 8)
    BuildHud()
    Place("gameover", "ui/gameover", 225, 200, "bob")
    Place("finaltitle", "ui/finaltitle", 225, 290)
    Stage_AddObject("final", "ui/final")
    ScoreBoard_SetScore(Stage_GetObject("final"), Score)
    Obj_PlayAni(Place("again", "ui/again", 225, 430), "Blink", true)
    Sound_Play("gameover.wav", 0.9, false)
end

function StageTick(tick)
end
