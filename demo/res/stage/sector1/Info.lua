Info = { Level = 1 }

-- Drones straight down in a column, one every gap ms.
local function column(x, count, action, gap, side)
    for i = 0, count - 1 do
        Spawn("drone", x, -16, action, i * gap, { side = side or 1 })
    end
end

-- Drones in a V, the leader first; the leader carries a power capsule.
local function vee(count)
    for i = 0, count - 1 do
        local offset = math.floor((i + 1) / 2) * (i % 2 == 0 and 1 or -1)
        Spawn("drone", 225 + offset * 38, -16, "dive", math.abs(offset) * 250,
            { drop = i == 0 and 1 or 0 })
    end
end

-- Swoopers enter from the top on one side and curve across the field.
local function swoop(side, count)
    local x = side > 0 and 70 or 380
    for i = 0, count - 1 do
        Spawn("swooper", x, -14, "swoop", i * 320, { angle = 180, turn = side > 0 and -2 or 2 })
    end
end

local function gunship(x, carrier)
    Spawn("gunship", x, -30, "hover", 0, { drop = carrier and 1 or 0 })
end

Waves = {
    { 60, function() column(120, 5, "dive", 380) end },
    { 150, function() column(330, 5, "dive", 380) end },
    { 230, function() swoop(1, 4) end },
    { 300, function() swoop(-1, 4) end },
    { 380, function() gunship(225, true) end },
    { 480, function() vee(7) end },
    { 570, function() column(100, 4, "zigzag", 450, 1); swoop(-1, 3) end },
    { 660, function() gunship(120); gunship(330) end },
    { 780, function() column(80, 4, "zigzag", 400, 1); column(370, 4, "zigzag", 400, -1) end },
    { 870, function() swoop(1, 5); swoop(-1, 5) end },
}

function OnStageCreate()
    BeginStage("sector1")
    Backdrop("ui/space1", 30)
    Backdrop("ui/stars", 90)
    BuildHud()
    SpawnHero()
    Stage_CreateEffect("sector1", 225, 240)
    PlayMusic("stage.wav")
end

function StageTick(tick)
    local done = RunWaves(Waves, tick)
    if done and not Finale and LiveMobs() == 0 then
        SectorClear("sector2")
    end
end
