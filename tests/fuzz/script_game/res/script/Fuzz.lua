-- The fuzzer's driver (see tests/fuzz/README.md): every callback hands control to
-- Fuzz.Enter. Randomness is math.random, seeded by --seed, so a seed replays a run.
Fuzz = { calls = 0, depth = 0, pool = {}, reached = {} }
local F = Fuzz
F.proxy = newproxy(true)
F.co = coroutine.create(function() end)
local random = math.random
local function pick(list) return list[random(#list)] end
local function chance(p) return random() < p end
F.Pick = pick
local long, huge = string.rep("x", 4096), string.rep("9", 400)
local numbers = {
    0, -0.0, 1, -1, 0.5, -0.5, 2, 3, 7, 10, 33, 100, 255, 256, 300, 449, 450, 599, 600, 1000,
    4096, 65536, 2 ^ 31 - 1, 2 ^ 31, -2 ^ 31, -2 ^ 31 - 1, 2 ^ 32, 2 ^ 53, -2 ^ 53, 2 ^ 63,
    -2 ^ 63, 1e15, 1e300, -1e300, 1 / 0, -1 / 0, 0 / 0, 1e-320, 4.9e-324, 0.001, 1e-7,
}
local strings = {
    "", " ", "0", "12", "-5", "1e400", "0x10", " 7 ", "nan", "inf", long, huge, "a\0b",
    "%s%s%s%n%d", "../../etc/passwd", "/", ".", "res", "\255\254\253", "null", "Info",
    "OnHit", "\n", "\\", "'", "\"", "[[", "]]",
}
-- Names the game's files answer to, with a few that name nothing or something broken.
F.stagesGood = { "alpha", "beta", "gamma" }
local lists = {
    stage = { "alpha", "beta", "gamma", "fail", "nocreate", "syntax", "badinfo", "missing" },
    objpath = {
        "hero/h", "hero/hnodamage", "mob/m", "mob/mnodamage", "item/i", "board/b", "plain/p",
        "bullet/s", "effect/e", "friend/f", "badtype/t", "noinfo/x", "missing/y",
    },
    item = { "i", "inoeat", "missing" },
    effect = { "e", "efail", "enocreate", "missing" },
    bullet = { "bullet/s", "bullet/p", "bullet/snohit", "missing" },
    friend = { "friend/f", "mob/m", "missing" },
    action = { "go", "wait", "tick", "fail", "swap", "syntax", "still", "beat", "missing" },
    sprite = { "dot", "grid", "digits", "cut", "empty", "text", "missing" },
    pic = {
        "res/pic/dot.png", "res/pic/grid.png", "res/pic/digits.png", "res/pic/cut.png",
        "res/pic/empty.png", "res/pic/text.png", "res/pic/none.png", "res/pic", "",
    },
    ani = { "walk", "spin", "LeftDown", "RightDown", "LeftUp", "RightUp", "none" },
    frames = {
        "0,1,2,3", "0", "3 2 1 0", "01,2", "-1,-2", "99999999999,5", "", "1,,,2", "a,b",
        "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19", huge, long,
    },
    sound = { "blip.wav", "cut.wav", "empty.ogg", "text.mp3", "missing.wav", "../sound/blip.wav", "" },
    key = { "k1", "k2", "hero", "board", "", "key with space", 5, "5", long },
    custom = { "hp", "count", "", long },
    font = { "sans", "cells", "missing" },
    fontfile = { "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "res/pic/dot.png", "missing.ttf", "" },
    align = { "left", "center", "right", "middle", "" },
}
local any
local function handle()
    if #F.pool > 0 and chance(0.8) then return pick(F.pool) end
    return chance(0.5) and F.null or any()
end
local kinds = {
    function() return nil end, function() return chance(0.5) end,
    function() return pick(numbers) end, function() return random(-1000, 1000) end,
    function() return pick(strings) end, function() return {} end,
    function() return { 1, 2, x = 3 } end, function() return print end,
    function() return function() end end, function() return F.proxy end,
    function() return F.co end, handle, function() return io.stdout end,
    function() return pick(lists[pick({ "stage", "objpath", "action", "sprite", "sound", "key" })]) end,
}
function any() return kinds[random(#kinds)]() end
local function number()
    if chance(0.5) then return pick(numbers) end
    return chance(0.8) and random(-700, 1300) + random() or any()
end
local function ms() return chance(0.7) and pick({ 0, 1, 10, 50, 100, 250, 1000 }) or number() end
-- Small counts only where the engine makes that many objects: a script asking for
-- billions of bullets asks for what it gets.
local function count()
    return chance(0.85) and random(0, 12) or pick({ -1, -2 ^ 31, 0 / 0, 2.9, -0.5, "3", nil, {}, true })
end
local function flag() return pick({ true, false, nil, 0, "", F.null }) end
local function s(list)
    return function() return chance(0.75) and pick(lists[list]) or chance(0.5) and pick(strings) or any() end
end
local o, n, i, b, c = handle, number, number, flag, count
-- Font sizes and cells: mostly small, since every font renders its glyphs at once.
local function small() return chance(0.9) and random(-2, 24) or number() end
-- Argument kinds of every exported function.
local signatures = {
    Game_ActiveStage = { s("stage") }, Game_GetCurStage = {}, Game_RemoveCurStage = {},
    Game_SetControlAble = { b }, Game_GetControlAble = {}, Game_Exit = {},
    Game_GetSystemHandle = {}, Stage_AddObject = { s("key"), s("objpath") },
    Stage_GetObject = { s("key") }, Stage_CreateItem = { s("item"), n, n },
    Stage_CreateEffect = { s("effect"), n, n }, Stage_CreateBullet = { s("bullet"), c, n, n },
    Stage_AdjustBullet = { c, n, n }, Stage_GetBullet = { c }, Stage_SetScreenPos = { i, i },
    Stage_CreateFriend = { s("friend"), n, n }, Obj_SetAction = { o, s("action") },
    Obj_GetX = { o }, Obj_GetY = { o }, Obj_SetX = { o, n }, Obj_SetY = { o, n },
    Obj_GetDX = { o }, Obj_GetDY = { o }, Obj_SetDX = { o, n }, Obj_SetDY = { o, n },
    Obj_SetScale = { o, n }, Obj_SetAlpha = { o, n }, Obj_SetAngle = { o, n },
    Obj_SetRGB = { o, n, n, n }, Obj_SetDirection = { o, o }, Obj_SetAngleDXDY = { o, i },
    Obj_GetStep = { o }, Obj_SetStep = { o, i }, Obj_SetBeginTime = { o, ms },
    Obj_SetActionTime = { o, ms }, Obj_SetIntervalTime = { o, ms }, Obj_GetSpeed = { o },
    Obj_SetSpeed = { o, n }, Obj_GetHP = { o }, Obj_SetHP = { o, i }, Obj_Delete = { o },
    Obj_GetHero = {}, Obj_GetDirectionX = { o, o }, Obj_GetDirectionY = { o, o },
    Obj_PlayAni = { o, s("ani"), b }, Obj_StopAni = { o }, Obj_SetCustom = { o, s("custom"), i },
    Obj_GetCustom = { o, s("custom") }, Obj_GetHandle = { s("key") },
    Res_AddSprite = { s("sprite"), s("pic"), i, i },
    Res_AddAniSprite = { s("sprite"), s("pic"), i, i, i, i },
    Res_AddAni = { s("sprite"), s("ani"), i, s("frames") },
    Res_SetDefaultAniSpeed = { s("sprite"), s("ani"), n },
    Res_SetFrameAniSpeed = { s("sprite"), s("ani"), i, n }, Sound_Add = { s("sound") },
    Sound_Play = { s("sound"), n, b }, Sound_FadeIn = { s("sound"), b },
    Sound_FadeOut = { s("sound") }, Sound_Stop = { s("sound") }, ScoreBoard_SetScore = { o, i },
    Key_IsDown = { i }, Game_GetStageTime = {}, Game_SetPause = { b }, Game_GetPause = {},
    Obj_GetType = { o }, Obj_SetSprite = { o, s("sprite") }, Stage_GetObjects = { i },
    Res_AddFont = { s("font"), s("fontfile"), small },
    Res_AddBitmapFont = { s("font"), s("pic"), small, small, small },
    Obj_SetText = { o, s("font"), any, s("align") },
}
-- How often each function is drawn: stage switches reload a whole stage, and ending
-- the game ends the run, so both come less often than the rest.
F.names = {}
for name in pairs(signatures) do
    local weight = ({ Game_ActiveStage = 1, Game_RemoveCurStage = 1, Game_Exit = 0, Game_SetPause = 1,
        Res_AddFont = 1 })[name] or 4
    for _ = 1, weight do F.names[#F.names + 1] = name end
end
table.sort(F.names) -- pairs() order is not part of a seed
function F.Keep(value)
    if type(value) ~= "userdata" or value == F.proxy or value == io.stdout then return end
    F.pool[#F.pool < 48 and #F.pool + 1 or random(#F.pool)] = value
end
local function keepAll(...) for k = 1, select("#", ...) do F.Keep((select(k, ...))) end end
-- Garbage whose finalizers raise, and a hoard that holds the interpreter at its memory
-- limit (the runner gives each run a small one): errors then come from collections and
-- failed allocations at any point, inside the engine's own calls too.
local function Trouble()
    if chance(0.02) then
        for k = 1, random(1, 40) do
            getmetatable(newproxy(true)).__gc = function() error("fuzz: finalizer " .. k) end
        end
    end
    if chance(0.004) then
        F.hoard = F.hoard or {}
        pcall(function() while true do F.hoard[#F.hoard + 1] = string.rep("h", 65536) .. #F.hoard end end)
    elseif chance(0.05) then
        F.hoard = nil
    end
end
function F.Storm(calls)
    Trouble()
    for _ = 1, calls do
        local name = random(200000) == 1 and "Game_Exit" or pick(F.names)
        local signature, args = signatures[name], {}
        -- Now and then too few or too many arguments, or none of the expected kinds.
        local count = chance(0.1) and random(0, 7) or #signature
        for k = 1, count do
            if signature[k] == nil or chance(0.08) then args[k] = any() else args[k] = signature[k]() end
        end
        F.calls = F.calls + 1
        if F.calls % 1000 == 0 then print("fuzz calls " .. F.calls) end
        if os.getenv("VELMORA_FUZZ_TRACE") then print("call " .. name .. " " .. count) end
        if chance(0.03) then
            keepAll(_G[name](unpack(args, 1, count))) -- unprotected: a failure ends the callback
        else
            keepAll(pcall(_G[name], unpack(args, 1, count)))
        end
    end
end
-- Every callback of the game comes here with its arguments.
function F.Enter(where, ...)
    if not F.reached[where] then
        F.reached[where] = true
        print("fuzz reached " .. where)
    end
    keepAll(...)
    F.depth = F.depth + 1
    local ok, err = pcall(F.Storm, F.depth > 3 and random(0, 1) or random(0, 12))
    F.depth = F.depth - 1
    if not ok then error(err, 0) end
    local r = random(1000)
    if r <= 10 then error(({ {}, long })[r - 8] or "fuzz: " .. where .. " fails") end
end
-- The system object's heartbeat keeps a run busy whatever the fuzzing removed: with
-- no stage left it enters one, and now and then it switches for no reason.
function F.Beat(me)
    if Game_GetCurStage() == nil or chance(0.03) then pcall(Game_ActiveStage, pick(F.stagesGood)) end
    F.Enter("OnInterval", me)
end
-- Declares the pictures and sounds the objects name, and the null handle.
function F.Setup()
    F.null = Stage_GetObject("no such key")
    Res_AddSprite("dot", "res/pic/dot.png", 8, 8)
    Res_AddAniSprite("grid", "res/pic/grid.png", 4, 4, 4, 2)
    Res_AddAni("grid", "walk", 4, "0,1,2,3"); Res_AddAni("grid", "LeftDown", 2, "4,5")
    Res_AddSprite("digits", "res/pic/digits.png", 40, 6)
    pcall(Sound_Add, "blip.wav"); pcall(Sound_Add, "cut.wav")
    pcall(Res_AddBitmapFont, "cells", "res/pic/grid.png", 4, 4, 48)
end
-- A stage's first objects, placed so that items, mobs, bullets and the hero meet.
function F.Populate()
    local function try(fn, ...)
        local ok, result = pcall(fn, ...)
        if ok then F.Keep(result) end
        return ok and result or nil
    end
    local function place(key, path, x, y, action)
        local obj = try(Stage_AddObject, key, path)
        try(Obj_SetX, obj, x); try(Obj_SetY, obj, y); try(Obj_SetAction, obj, action)
    end
    place("hero", "hero/h", 200, 300, "go")
    for k = 1, 3 do
        place("mob" .. k, "mob/m", 150 + 40 * k, 100, pick({ "go", "tick", "swap" }))
        try(Obj_SetAction, try(Stage_CreateItem, pick({ "i", "i", "inoeat" }), 200, 300 - k), "tick")
    end
    -- Now and then a crowd, which bullets search through the engine's hit grid.
    local crowd = chance(0.3) and 40 or 0
    for k = 1, crowd do
        place("crowd" .. k, "mob/m", 110 + k % 8 * 25, 60 + math.floor(k / 8) * 25, pick({ "go", "tick", "swap" }))
    end
    try(Stage_CreateBullet, "bullet/s", 3, 200, 250)
    for k = 0, 2 do try(Stage_AdjustBullet, k, 0, 1) end
    try(Stage_CreateBullet, "bullet/p", crowd > 0 and 20 or 2, 190, 140)
    try(Stage_AdjustBullet, 0, 0, -1); try(Stage_AdjustBullet, 1, 0.3, -1)
    try(Stage_CreateFriend, "friend/f", 220, 320); try(Stage_CreateEffect, "e", 10, 10)
    try(Stage_AddObject, "board", "board/b")
    try(Obj_SetAction, Game_GetSystemHandle(), chance(0.2) and pick({ "tick", "go", "swap" }) or "beat")
end
