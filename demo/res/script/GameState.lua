-- Velmora demo: "Quellix Strike".
--
-- This file is run at start-up and again before every key press, and every file of
-- the game shares one set of globals. So the game's state below is only given its
-- first value when it has none yet, and the helpers defined here are reachable from
-- every stage, object and action script.

-- The high score lives in the game's save folder, so it outlasts the run (and an
-- installed game's own folder may be read-only). Without a folder it starts at 20000.
local function HiScoreFile()
    local ok, folder = pcall(Game_GetSaveDir)
    return ok and type(folder) == "string" and folder .. "hiscore.txt" or nil
end

local function LoadHiScore()
    local path = HiScoreFile()
    local file = path and io.open(path, "r")
    local saved = file and tonumber(file:read("*l"))
    if file then file:close() end
    return saved or 20000
end

function SaveHiScore()
    local path = HiScoreFile()
    local file = path and io.open(path, "w")
    if file then
        file:write(HiScore, "\n")
        file:close()
    end
    SavedHiScore = HiScore
end

Score = Score or 0
HiScore = HiScore or LoadHiScore()
SavedHiScore = SavedHiScore or HiScore
Lives = Lives or 3
Power = Power or 1            -- 1 to 4: how many guns the ship fires with
AutoFire = AutoFire or false  -- continuous fire while true (toggled with X)
NextExtra = NextExtra or 30000

MAX_LIVES = 5
MAX_POWER = 4
BOSS_SEGMENTS = 18

KEY_ENTER, KEY_SHIFT, KEY_SPACE, KEY_P, KEY_Q, KEY_X, KEY_Z = 13, 16, 32, 80, 81, 88, 90

-------------------------------------------------------------------------------
-- Start-up: every picture and sound, then the title.
-------------------------------------------------------------------------------

local function sheet(name, file, w, h, columns, animations, speed)
    Res_AddAniSprite(name, "res/image/" .. file, w, h, columns, 1)
    for ani, frames in pairs(animations) do
        local count = select(2, frames:gsub(",", ",")) + 1
        Res_AddAni(name, ani, count, frames)
        Res_SetDefaultAniSpeed(name, ani, speed)
    end
end

local function picture(name, file, w, h)
    Res_AddSprite(name, "res/image/" .. file, w, h)
end

function OnGameCreate()
    -- The hero banks while it moves sideways: the engine plays these four by name.
    sheet("hero", "hero.png", 32, 32, 5, {
        Idle = "2", LeftDown = "2,1,0", RightDown = "2,3,4", LeftUp = "0,1,2", RightUp = "4,3,2",
    }, 0.05)
    sheet("option", "option.png", 16, 16, 4, { Spin = "0,1,2,3" }, 0.08)
    sheet("drone", "drone.png", 24, 24, 2, { Blink = "0,1" }, 0.15)
    Res_SetFrameAniSpeed("drone", "Blink", 0, 0.7)
    sheet("swooper", "swooper.png", 28, 28, 2, { Burn = "0,1" }, 0.07)
    sheet("gunship", "gunship.png", 48, 48, 2, { Glow = "0,1" }, 0.25)
    sheet("guardian", "guardian.png", 128, 96, 3, { Core = "0,1,2,1" }, 0.1)
    Res_SetFrameAniSpeed("guardian", "Core", 0, 0.45)
    sheet("power", "power.png", 16, 16, 4, { Glint = "0,1,2,3" }, 0.08)
    Res_SetFrameAniSpeed("power", "Glint", 3, 0.5)
    sheet("gem", "gem.png", 16, 16, 4, { Spin = "0,1,2,3" }, 0.09)
    sheet("boom", "boom.png", 32, 32, 8, { Burst = "0,1,2,3,4,5,6,7" }, 0.05)
    sheet("bigboom", "bigboom.png", 64, 64, 8, { Burst = "0,1,2,3,4,5,6,7" }, 0.08)
    sheet("spark", "spark.png", 16, 16, 4, { Burst = "0,1,2,3" }, 0.035)
    sheet("pips", "pips.png", 12, 8, 2, { On = "0", Off = "1" }, 1)
    sheet("auto", "auto.png", 44, 14, 3, { On = "0,1", Off = "2" }, 0.2)
    Res_SetFrameAniSpeed("auto", "On", 0, 0.5)

    picture("shot", "shot.png", 6, 16)
    picture("orb", "orb.png", 10, 10)
    picture("needle", "needle.png", 6, 14)
    picture("bigorb", "bigorb.png", 16, 16)
    picture("life", "life.png", 14, 14)
    picture("space1", "space1.png", 470, 640)
    picture("space2", "space2.png", 470, 640)
    picture("stars", "stars.png", 470, 640)
    picture("panel", "panel.png", 190, 600)
    picture("digits", "digits.png", 120, 16)
    picture("bossbar", "bossbar.png", 8, 10)
    picture("logo", "logo.png", 292, 84)
    picture("controls", "controls.png", 326, 108)
    picture("goal", "goal.png", 324, 82)
    picture("sector1", "sector1.png", 192, 32)
    picture("sector2", "sector2.png", 192, 32)
    picture("sectorclear", "sectorclear.png", 288, 32)
    picture("warning", "warning.png", 276, 62)
    picture("gameover", "gameover.png", 322, 46)
    picture("allclear", "allclear.png", 322, 46)
    picture("finalscore", "finalscore.png", 198, 24)
    picture("thanks", "thanks.png", 264, 38)
    Res_AddFont("small", "res/font/DejaVuSans-Bold.ttf", 10)
    Res_AddFont("big", "res/font/DejaVuSans-Bold.ttf", 40)
    -- Two-cell pictures whose second cell is empty: shown and hidden in turn.
    for _, blink in ipairs({ { "start", "start.png", 240 }, { "again", "again.png", 300 } }) do
        Res_AddAniSprite(blink[1], "res/image/" .. blink[2], blink[3], 16, 1, 2)
        Res_AddAni(blink[1], "Blink", 2, "0,1")
        Res_SetFrameAniSpeed(blink[1], "Blink", 0, 0.6)
        Res_SetFrameAniSpeed(blink[1], "Blink", 1, 0.3)
    end

    for _, name in ipairs({ "shot.wav", "eshot.wav", "hit.wav", "boom.wav", "bigboom.wav",
        "power.wav", "gem.wav", "hurt.wav", "lost.wav", "start.wav", "warning.wav",
        "title.wav", "stage.wav", "boss.wav", "gameover.wav", "clear.wav" }) do
        Sound_Add(name)
    end

    Game_ActiveStage("title")
end

-------------------------------------------------------------------------------
-- Keys: what a key does depends on the stage being played.
-------------------------------------------------------------------------------

function OnKeyEvent(key)
    local stage = Game_GetCurStage()
    if stage == "title" then
        if key == KEY_ENTER then
            NewGame()
        elseif key == KEY_Q then
            Game_Exit()
        end
    elseif stage == "sector1" or stage == "sector2" then
        -- Enter (a pad's Start) or P pauses; while paused only the pause keys count.
        if key == KEY_ENTER or key == KEY_P then
            Game_SetPause(not Game_GetPause())
            Obj_SetText(Obj_GetHandle("paused"), "big", Game_GetPause() and "PAUSED" or "")
        elseif Game_GetPause() then
            return
        elseif key == KEY_Z or key == KEY_SPACE then
            FireVolley()
        elseif key == KEY_X then
            AutoFire = not AutoFire
            ShowAutoFire()
        end
    elseif stage == "gameover" or stage == "clear" then
        -- A short pause first, so a key still hammered in the fight does not skip it.
        if key == KEY_ENTER and Tick > 40 then
            Game_ActiveStage("title")
        elseif key == KEY_Q then
            Game_Exit()
        end
    end
end

-- Held down, Z or Space (a pad's A) keeps firing; Shift (a pad's left shoulder)
-- slows the ship for threading between shots.
function Firing()
    return AutoFire or Key_IsDown(KEY_Z) or Key_IsDown(KEY_SPACE)
end

function Focused()
    return Key_IsDown(KEY_SHIFT)
end

function NewGame()
    Score, Lives, Power, AutoFire, NextExtra = 0, 3, 1, false, 30000
    Sound_Play("start.wav", 0.8, false)
    StopMusic()
    Game_ActiveStage("sector1")
end

-------------------------------------------------------------------------------
-- Stage bookkeeping and the director: the system object ticks 20 times a second.
-------------------------------------------------------------------------------

-- Called first by every stage's OnStageCreate.
function BeginStage(name)
    print("stage " .. name)
    if HiScore > SavedHiScore then SaveHiScore() end
    Tick = 0
    Timers = {}
    Spawned = {}
    Flashing = {}
    Hud = {}
    Serial = 0
    ShakeLeft, ShakeAmp = 0, 0
    Finale = false
    OptionDrone = nil
    WaveIndex = 1
    -- The draw offset outlives stages; a shake cut short by a stage change would stick.
    Stage_SetScreenPos(0, 0)
    -- The stage clock restarts at 0, so the director's action is loaded afresh.
    Obj_SetAction(Game_GetSystemHandle(), "director")
end

-- Runs fn after the given number of ticks (20 ticks a second) unless the stage changes.
function Later(ticks, fn)
    Timers[#Timers + 1] = { at = Tick + ticks, fn = fn }
end

function DirectorTick()
    Tick = Tick + 1
    local stage = Game_GetCurStage()

    if ShakeLeft > 0 then
        ShakeLeft = ShakeLeft - 1
        local a = ShakeLeft > 0 and ShakeAmp or 0
        local sx, sy = math.random(-a, a), math.random(-a, a)
        Stage_SetScreenPos(sx, sy)
        -- The panel is no part of the field: it is moved against the shake to stay put.
        for _, h in ipairs(Hud) do
            Obj_SetX(h.obj, h.x - sx)
            Obj_SetY(h.obj, h.y - sy)
        end
        if ShakeLeft == 0 then ShakeAmp = 0 end
    end

    for h, untilTick in pairs(Flashing) do
        if Tick >= untilTick then
            Flashing[h] = nil
            local tint = Obj_GetCustom(h, "tint") or 0
            Obj_SetRGB(h, tint / 100, 0, 0)
        end
    end

    local hero = Obj_GetHero()
    if hero then
        local guard = Obj_GetCustom(hero, "guard")
        if guard > 0 then
            Obj_SetCustom(hero, "guard", guard - 1)
            Obj_SetAlpha(hero, (guard > 1 and guard % 4 < 2) and 0.25 or 1)
        end
    end

    local due = {}
    for i = #Timers, 1, -1 do
        if Timers[i].at <= Tick then
            table.insert(due, 1, Timers[i].fn)
            table.remove(Timers, i)
        end
    end
    for _, fn in ipairs(due) do
        fn()
        if Game_GetCurStage() ~= stage then return end
    end

    if StageTick then StageTick(Tick) end
end

-- Plays the timed waves of a stage: Waves is a list of { tick, function }.
function RunWaves(waves, tick)
    while waves[WaveIndex] and waves[WaveIndex][1] <= tick do
        waves[WaveIndex][2]()
        WaveIndex = WaveIndex + 1
    end
    return waves[WaveIndex] == nil
end

function Shake(amount, ticks)
    ShakeAmp = math.max(ShakeAmp, amount)
    ShakeLeft = math.max(ShakeLeft, ticks)
end

-- A white flash on a hit; the director puts the object's own tint back.
function Flash(h)
    Obj_SetRGB(h, 0.75, 0.75, 0.75)
    Flashing[h] = Tick + 1
end

-------------------------------------------------------------------------------
-- Music: one piece at a time, faded across stages.
-------------------------------------------------------------------------------

function PlayMusic(name)
    if Music == name then return end
    StopMusic()
    Sound_FadeIn(name, true)
    Music = name
end

function StopMusic()
    if Music then Sound_FadeOut(Music) end
    Music = nil
end

-------------------------------------------------------------------------------
-- Placing objects.
-------------------------------------------------------------------------------

function NewKey(prefix)
    Serial = Serial + 1
    return prefix .. Serial
end

function Place(key, path, x, y, action)
    local o = Stage_AddObject(key, path)
    if action then Obj_SetAction(o, action) end
    Obj_SetX(o, x)
    Obj_SetY(o, y)
    return o
end

-- Two tiles of a scrolling layer, one above the other; the "scroll" action wraps them.
function Backdrop(path, speed)
    for i = 0, 1 do
        local tile = Place(NewKey("bg"), path, 225, 300 - 640 * i, "scroll")
        Obj_SetSpeed(tile, speed)
    end
end

local function hudPlace(key, path, x, y)
    local o = Place(key, path, x, y)
    Hud[#Hud + 1] = { obj = o, x = x, y = y }
    return o
end

-- The side panel: score boards, lives, power, auto fire and the guardian's health.
function BuildHud()
    hudPlace("panel", "ui/panel", 545, 300)
    Stage_AddObject("score", "ui/score")
    Stage_AddObject("hiscore", "ui/hiscore")
    for i = 1, MAX_LIVES do hudPlace("life" .. i, "ui/life", 460 + 20 * i, 181) end
    for i = 1, MAX_POWER do hudPlace("pip" .. i, "ui/pip", 462 + 16 * i, 240) end
    hudPlace("auto", "ui/auto", 547, 297)
    for i = 1, BOSS_SEGMENTS do
        local seg = hudPlace("boss" .. i, "ui/bossbar", 472 + 8 * i, 353)
        Obj_SetAlpha(seg, 0)
    end
    -- The panel's legend predates holding keys; text adds what it lacks.
    local help = hudPlace("help", "ui/label", 467, 527)
    Obj_SetRGB(help, 0.95, 0.8, 0.35)
    Obj_SetText(help, "small", "SHIFT  FOCUS\nENTER P  PAUSE", "left")
    Obj_SetRGB(Place("paused", "ui/label", 225, 340), 1, 1, 1)
    Obj_SetRGB(Place("core", "ui/core", 225, 700, "follow"), 1, 0.1, 0.4)
    ShowScore()
    ShowLives()
    ShowPower()
    ShowAutoFire()
end

function ShowScore()
    ScoreBoard_SetScore(Stage_GetObject("score"), Score)
    ScoreBoard_SetScore(Stage_GetObject("hiscore"), HiScore)
end

function ShowLives()
    for i = 1, MAX_LIVES do
        Obj_SetAlpha(Obj_GetHandle("life" .. i), i <= Lives and 1 or 0.15)
    end
end

function ShowPower()
    for i = 1, MAX_POWER do
        Obj_PlayAni(Obj_GetHandle("pip" .. i), i <= Power and "On" or "Off", false)
    end
end

function ShowAutoFire()
    Obj_PlayAni(Obj_GetHandle("auto"), AutoFire and "On" or "Off", true)
end

function ShowBossHealth(hp, full)
    local lit = math.ceil(BOSS_SEGMENTS * math.max(hp, 0) / full)
    for i = 1, BOSS_SEGMENTS do
        Obj_SetAlpha(Obj_GetHandle("boss" .. i), i <= lit and 1 or 0.2)
    end
end

function AddScore(points)
    Score = Score + points
    if Score > HiScore then HiScore = Score end
    if Score >= NextExtra then
        NextExtra = NextExtra + 30000
        if Lives < MAX_LIVES then
            Lives = Lives + 1
            local hero = Obj_GetHero()
            if hero then Obj_SetHP(hero, Lives) end
            ShowLives()
            print("lives " .. Lives)
        end
    end
    ShowScore()
    print("score " .. Score)
end

-------------------------------------------------------------------------------
-- The hero and its option drone.
-------------------------------------------------------------------------------

function SpawnHero()
    local hero = Place("hero", "hero/ship", 225, 660, "pilot")
    Obj_SetHP(hero, Lives)
    Obj_PlayAni(hero, "Idle", false)
    -- It flies in by itself; the pilot action hands over the controls when it arrives.
    Game_SetControlAble(false)
    if Power >= 2 then SpawnOption(225, 700) end
    return hero
end

function SpawnOption(x, y)
    if OptionDrone and Obj_GetX(OptionDrone) then return end
    OptionDrone = Stage_CreateFriend("friend/option", x, y)
    Obj_SetAction(OptionDrone, "escort")
    Obj_PlayAni(OptionDrone, "Spin", true)
    Obj_SetCustom(OptionDrone, "option", 1)
    Obj_SetCustom(OptionDrone, "shield", 3)
end

-- One volley: more guns fanned wider with each power level, and the option's gun.
function FireVolley()
    local hero = Obj_GetHero()
    if not hero or not Game_GetControlAble() then return end
    local fans = { { 0 }, { -5, 5 }, { -10, 0, 10 }, { -16, -6, 6, 16 } }
    local fan = fans[Power]
    Stage_CreateBullet("bullet/shot", #fan, Obj_GetX(hero), Obj_GetY(hero) - 16)
    for i, degrees in ipairs(fan) do
        Obj_SetAngleDXDY(Stage_GetBullet(i - 1), degrees)
    end
    if OptionDrone and Obj_GetX(OptionDrone) then
        Stage_CreateBullet("bullet/shot", 1, Obj_GetX(OptionDrone), Obj_GetY(OptionDrone) - 10)
        Stage_AdjustBullet(0, 0, -1)
    end
    Sound_Play("shot.wav", 0.3, false)
end

-- The hero's OnDamage: mob contact (-1) and enemy bullets both cost a life.
function HeroHit(hero, amount)
    if Finale or Obj_GetCustom(hero, "guard") > 0 then return end
    local x, y = Obj_GetX(hero), Obj_GetY(hero)
    Lives = Obj_GetHP(hero) - 1
    Obj_SetHP(hero, Lives)
    ShowLives()
    print("lives " .. Lives)
    Explode(x, y, "boom")
    Shake(6, 10)
    Sound_Play("hurt.wav", 0.9, false)
    Power = math.max(1, Power - 1)
    ShowPower()
    if Lives <= 0 then
        Obj_Delete(hero)
        Explode(x, y, "bigboom")
        Sound_Play("bigboom.wav", 1, false)
        StopMusic()
        print("game over")
        if HiScore > SavedHiScore then SaveHiScore() end
        Later(70, function() Game_ActiveStage("gameover") end)
        return
    end
    -- Back in from the bottom, blinking and untouchable for a while.
    Game_SetControlAble(false)
    Obj_SetX(hero, 225)
    Obj_SetY(hero, 660)
    Obj_SetDX(hero, 0)
    Obj_SetDY(hero, -1)
    Obj_PlayAni(hero, "Idle", false)
    Obj_SetActionTime(hero, 650)
    Obj_SetCustom(hero, "guard", 60)
end

-------------------------------------------------------------------------------
-- Enemies.
-------------------------------------------------------------------------------

local MOB_ANIMATION = { drone = "Blink", swooper = "Burn", gunship = "Glow", guardian = "Core" }

-- A mob waits unseen and untouchable until its action begins, delay ms from now.
function Spawn(kind, x, y, action, delay, custom)
    local m = Stage_AddObject(NewKey(kind), "mob/" .. kind)
    Obj_SetAction(m, action)
    Obj_SetX(m, x)
    Obj_SetY(m, y)
    Obj_SetBeginTime(m, delay or 0)
    Obj_PlayAni(m, MOB_ANIMATION[kind], true)
    Obj_SetCustom(m, "mob", 1)
    for k, v in pairs(custom or {}) do Obj_SetCustom(m, k, v) end
    Spawned[#Spawned + 1] = m
    return m
end

-- Handles of removed objects read as null, so a gone mob answers nil.
function LiveMobs()
    local live = 0
    for i = #Spawned, 1, -1 do
        if Obj_GetX(Spawned[i]) and Obj_GetCustom(Spawned[i], "mob") == 1 then
            live = live + 1
        else
            table.remove(Spawned, i)
        end
    end
    return live
end

function OffField(o, margin)
    local x, y = Obj_GetX(o), Obj_GetY(o)
    return x < -margin or x > 450 + margin or y > 600 + margin
end

-- The OnDamage of every mob. Info is the mob's own table now, but creating any object
-- runs that object's file and replaces Info, so the table is kept first.
function MobHit(mob, amount)
    local info = Info
    local hp = Obj_GetHP(mob) - amount
    Obj_SetHP(mob, hp)
    local boss = Obj_GetCustom(mob, "boss") == 1
    if boss then ShowBossHealth(hp, info.HP) end
    if hp > 0 then
        Flash(mob)
        Sound_Play("hit.wav", 0.25, false)
        return
    end
    local x, y = Obj_GetX(mob), Obj_GetY(mob)
    Obj_Delete(mob)
    AddScore(info.Score)
    if boss then
        GuardianDown(x, y)
        return
    end
    local big = info.HP >= 10
    Explode(x, y, big and "bigboom" or "boom")
    Sound_Play(big and "bigboom.wav" or "boom.wav", 0.7, false)
    if big then Shake(4, 8) end
    local drop = Obj_GetCustom(mob, "drop")
    if drop == 1 or (drop == 0 and math.random() < info.GemChance) then
        DropItem(drop == 1 and "power" or "gem", x, y)
    end
end

function DropItem(name, x, y)
    local item = Stage_CreateItem(name, x, y)
    -- Items made this way have no action, and an item without one cannot be picked up.
    Obj_SetAction(item, "drift")
    Obj_PlayAni(item, name == "power" and "Glint" or "Spin", true)
end

-- Shots aimed where the hero is now: spread fans them out around that line.
function FireAimed(path, from, count, spread, ox, oy)
    local hero = Obj_GetHero()
    if not hero then return end
    local x, y = Obj_GetX(from) + (ox or 0), Obj_GetY(from) + (oy or 8)
    local dx, dy = Obj_GetDirectionX(from, hero), Obj_GetDirectionY(from, hero)
    if dx ~= dx or y < -8 then return end  -- on the hero's very spot, or not yet in sight
    count = count or 1
    local base = math.atan2(dx, -dy)
    Stage_CreateBullet(path, count, x, y)
    for i = 0, count - 1 do
        local a = base + math.rad((spread or 0) * (i - (count - 1) / 2))
        Stage_AdjustBullet(i, math.sin(a), -math.cos(a))
    end
    Sound_Play("eshot.wav", 0.25, false)
end

-- A ring of count shots around (x, y), turned by offset degrees.
function FireRing(path, x, y, count, offset)
    if y < -8 then return end
    Stage_CreateBullet(path, count, x, y)
    for i = 0, count - 1 do
        local a = math.rad(offset + 360 * i / count)
        Stage_AdjustBullet(i, math.sin(a), -math.cos(a))
    end
    Sound_Play("eshot.wav", 0.3, false)
end

-- Every enemy shot's OnHit: the hero has already been told through its OnDamage;
-- the option drone has no hit points of its own, so its shield is counted here.
function EnemyShotHit(bullet, target)
    Obj_Delete(bullet)
    if Obj_GetCustom(target, "option") ~= 1 then return end
    local shield = Obj_GetCustom(target, "shield") - 1
    Obj_SetCustom(target, "shield", shield)
    Flash(target)
    if shield <= 0 then
        Explode(Obj_GetX(target), Obj_GetY(target), "boom")
        Obj_Delete(target)
        OptionDrone = nil
        Sound_Play("lost.wav", 0.8, false)
    end
end

-------------------------------------------------------------------------------
-- Effects.
-------------------------------------------------------------------------------

function Explode(x, y, name)
    return Stage_CreateEffect(name, x, y)
end

-- Shared by the explosion effects' OnCreate: play once, then go.
function Burst(e, lifeMs, scale)
    Obj_PlayAni(e, "Burst", false)
    Obj_SetAngle(e, math.random() * 6.283)
    if scale then Obj_SetScale(e, scale) end
    Obj_SetAction(e, "expire")
    Obj_SetActionTime(e, lifeMs)
end

-- Banner text: fades in, stays, fades out. Its HP counts the ticks it has left.
function Banner(e, ticks)
    Obj_SetAlpha(e, 0)
    Obj_SetHP(e, ticks or 60)
    Obj_SetAction(e, "banner")
end

-------------------------------------------------------------------------------
-- Ends of sectors.
-------------------------------------------------------------------------------

-- All waves beaten: the ship leaves upward and the next stage follows.
function SectorClear(nextStage)
    local hero = Obj_GetHero()
    if not hero then return end
    Finale = true
    Game_SetControlAble(false)
    Obj_SetDX(hero, 0)
    Obj_SetDY(hero, -1)
    Obj_SetSpeed(hero, 320)
    Obj_PlayAni(hero, "Idle", false)
    Stage_CreateEffect("sectorclear", 225, 240)
    StopMusic()
    Sound_Play("clear.wav", 0.8, false)
    AddScore(5000)
    Later(90, function() Game_ActiveStage(nextStage) end)
end

-- The guardian breaks apart: its wreck sinks in a chain of explosions, then the end.
function GuardianDown(x, y)
    Finale = true
    StopMusic()
    Stage_CreateEffect("wreck", x, y)
    Sound_Play("bigboom.wav", 1, false)
    Shake(8, 20)
    print("guardian down")
end
