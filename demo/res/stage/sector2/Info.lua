Info = { Level = 2 }

local function column(x, count, action, gap, side)
    for i = 0, count - 1 do
        Spawn("drone", x, -16, action, i * gap, { side = side or 1 })
    end
end

local function swoop(side, count, x)
    x = x or (side > 0 and 70 or 380)
    for i = 0, count - 1 do
        Spawn("swooper", x, -14, "swoop", i * 280, { angle = 180, turn = side > 0 and -3 or 3 })
    end
end

local function gunship(x, carrier)
    Spawn("gunship", x, -30, "hover", 0, { drop = carrier and 1 or 0 })
end

-- The guardian arrives after a warning; its siren stops when it comes into sight.
local function guardian()
    StopMusic()
    Sound_Play("warning.wav", 0.6, true)
    Stage_CreateEffect("warning", 225, 250)
    Later(70, function()
        Sound_Stop("warning.wav")
        PlayMusic("boss.wav")
        Spawn("guardian", 225, -60, "guardian", 0, { boss = 1 })
        ShowBossHealth(1, 1)
    end)
end

Waves = {
    { 60, function() swoop(1, 5); column(350, 5, "dive", 300) end },
    { 150, function() swoop(-1, 5); column(100, 5, "dive", 300) end },
    { 240, function() gunship(120, true); gunship(330) end },
    { 330, function() column(70, 5, "zigzag", 350, 1); column(380, 5, "zigzag", 350, -1) end },
    { 420, function() swoop(1, 6, 40); swoop(-1, 6, 410) end },
    { 510, function() gunship(225, true); column(60, 4, "dive", 300); column(390, 4, "dive", 300) end },
    { 620, function() swoop(1, 4); swoop(-1, 4); column(225, 6, "zigzag", 300, 1) end },
    { 740, guardian },
}

function OnStageCreate()
    BeginStage("sector2")
    Backdrop("ui/space2", 45)
    Backdrop("ui/stars", 120)
    BuildHud()
    SpawnHero()
    Stage_CreateEffect("sector2", 225, 240)
    PlayMusic("stage.wav")
end

function StageTick(tick)
    RunWaves(Waves, tick)
end
