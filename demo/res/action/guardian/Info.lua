-- The guardian. Step 1: it descends into place. Then it strafes and cycles through
-- three attacks, each with its own rate of fire: aimed fans, a spiral, and rings
-- with escorts. Below half strength it fires faster and glows red.
Info = { DY = 1, Speed = 45, BeginTime = 1, ActTime = 3400, Interval = 100 }

local PATTERNS = { [2] = 110, [3] = 70, [4] = 130 }  -- tick length in ms
local PATTERN_TICKS = 55

local function enraged(o)
    return Obj_GetHP(o) * 2 < Obj_GetCustom(o, "full")
end

local function nextPattern(o)
    local step = Obj_GetStep(o) + 1
    if step > 4 then step = 2 end
    Obj_SetStep(o, step)
    Obj_SetCustom(o, "t", 0)
    local ms = PATTERNS[step]
    if enraged(o) then
        ms = math.floor(ms * 0.7)
        Obj_SetCustom(o, "tint", 35)
        Obj_SetRGB(o, 0.35, 0, 0)
    end
    Obj_SetIntervalTime(o, ms)
end

function OnBegin(o)
    Obj_SetCustom(o, "full", Obj_GetHP(o))
end

function OnAction(o)
    Obj_SetDY(o, 0)
    Obj_SetDX(o, 1)
    Obj_SetSpeed(o, 45)
    nextPattern(o)
end

function OnInterval(o)
    local step = Obj_GetStep(o)
    if step == 1 then return end
    local x, y = Obj_GetX(o), Obj_GetY(o)
    if (x > 330 and Obj_GetDX(o) > 0) or (x < 120 and Obj_GetDX(o) < 0) then
        Obj_SetDX(o, -Obj_GetDX(o))
    end
    local t = Obj_GetCustom(o, "t") + 1
    Obj_SetCustom(o, "t", t)

    if step == 2 then
        -- Aimed fans from the middle cannon, needles from the side cannons.
        if t % 6 == 0 then FireAimed("bullet/orb", o, 5, 11, 0, 44) end
        if t % 6 == 3 then
            FireAimed("bullet/needle", o, 1, 0, -44, 26)
            FireAimed("bullet/needle", o, 1, 0, 44, 26)
        end
    elseif step == 3 then
        -- A turning spiral of needles, three arms.
        local a = Obj_GetCustom(o, "a") + 13
        Obj_SetCustom(o, "a", a)
        Stage_CreateBullet("bullet/needle", 3, x, y + 10)
        for i = 0, 2 do
            Obj_SetAngleDXDY(Stage_GetBullet(i), a + 120 * i)
        end
        if t % 4 == 0 then Sound_Play("eshot.wav", 0.2, false) end
    else
        -- Rings of heavy orbs, and drones launched from both sides.
        if t % 9 == 0 then FireRing("bullet/bigorb", x, y + 10, 18, t * 5) end
        if t == 15 or t == 40 then
            Spawn("drone", x - 50, y + 30, "dive", 0)
            Spawn("drone", x + 50, y + 30, "dive", 0)
        end
    end
    if t >= PATTERN_TICKS then nextPattern(o) end
end
