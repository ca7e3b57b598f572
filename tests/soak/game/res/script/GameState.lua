-- Constant churn for a long run: every frame bullets, effects and items come and go, mobs
-- reuse keys, sounds play and fade; every few seconds the stage switches and declares its
-- pictures and sounds again. Resident memory and the Lua heap are printed now and then.
Soak = Soak or { tick = 0, ring = {}, other = { a = "b", b = "a" }, hits = 0, eaten = 0, damage = 0 }
local S = Soak
function OnGameCreate() Game_ActiveStage("a") end
function OnKeyEvent(key) end
local function rss()
    local status = io.open("/proc/self/status", "r")
    if not status then return -1 end
    local text = status:read("*a"); status:close()
    return tonumber(text:match("VmRSS:%s*(%d+)")) or -1
end
function S.Enter()
    Res_AddSprite("dot", "res/pic/dot.png", 8, 8); Res_AddSprite("digits", "res/pic/digits.png", 40, 6)
    Res_AddAniSprite("grid", "res/pic/grid.png", 4, 4, 4, 2)
    Res_AddAni("grid", "walk", 4, "0,1,2,3"); Res_SetDefaultAniSpeed("grid", "walk", 0.05)
    Sound_Add("blip.wav")
    local hero = Stage_AddObject("hero", "hero/h")
    Obj_SetX(hero, 225); Obj_SetY(hero, 500); Obj_SetAction(hero, "stand")
    S.board = Stage_AddObject("board", "board/b")
    Obj_SetAction(Stage_AddObject("director", "plain/director"), "churn")
    Stage_CreateFriend("friend/f", 200, 450)
end
-- Objects to delete a number of ticks from now (bullets leave the field by themselves
-- once they fly out, but not every object kind goes on its own).
local function later(ticks, handle)
    local at = S.tick + ticks
    S.ring[at] = S.ring[at] or {}
    table.insert(S.ring[at], handle)
end
function S.Tick()
    S.tick = S.tick + 1
    local t = S.tick
    for _, due in ipairs(S.ring[t] or {}) do Obj_Delete(due) end
    S.ring[t] = nil
    Stage_CreateBullet(t % 2 == 0 and "bullet/s" or "bullet/p", 6, 225, 300)
    for i = 0, 5 do
        local a = math.rad((t * 13 + i * 60) % 360)
        Stage_AdjustBullet(i, math.sin(a), -math.cos(a))
        later(50, Stage_GetBullet(i))
    end
    if t % 2 == 0 then
        local e = Stage_CreateEffect("e", (t * 7) % 450, (t * 11) % 600)
        Obj_PlayAni(e, "walk", true); later(30, e)
    end
    if t % 5 == 0 then
        local item = Stage_CreateItem("i", (t * 3) % 450, 480 + t % 40)
        Obj_SetCustom(item, "made" .. (t % 7), t); Obj_SetAction(item, "stand"); later(60, item)
    end
    if t % 10 == 0 then
        local mob = Stage_AddObject("mob" .. (t % 30), "mob/m")
        Obj_SetX(mob, (t * 17) % 450); Obj_SetAction(mob, "fly"); later(100, mob)
    end
    if t % 30 == 0 then Sound_Play("blip.wav", 0.5, false) end
    if t % 300 == 0 then Sound_FadeIn("blip.wav", true) elseif t % 300 == 150 then Sound_FadeOut("blip.wav") end
    ScoreBoard_SetScore(S.board, t)
    if t % 5000 == 0 then
        print(string.format("soak rss %d %d lua %d hits %d eaten %d damage %d", t, rss(),
                            collectgarbage("count"), S.hits, S.eaten, S.damage))
    end
    if t % 250 == 0 then
        S.ring = {} -- objects still waiting for deletion go with the stage
        Game_ActiveStage(S.other[Game_GetCurStage()])
    end
end
