Info = { Level = 0 }

function OnStageCreate()
    BeginStage("title")
    -- The last score stays on the panel; the rest shows what a new game starts with.
    Lives, Power, AutoFire = 3, 1, false
    Backdrop("ui/space1", 20)
    Backdrop("ui/stars", 60)
    BuildHud()
    Place("logo", "ui/logo", 225, 96, "bob")
    Place("controls", "ui/controls", 225, 262)
    Place("goal", "ui/goal", 225, 398)
    local start = Place("start", "ui/start", 225, 486)
    Obj_PlayAni(start, "Blink", true)
    -- A ship on patrol under the text, banking as it turns.
    local ship = Place("ship", "ui/ship", 225, 552, "patrol")
    Obj_PlayAni(ship, "Idle", false)
    PlayMusic("title.wav")
end

function StageTick(tick)
end
