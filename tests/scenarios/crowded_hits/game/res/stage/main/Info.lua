Info = { Level = 1 }
-- Sixty mobs crowded together, a third of them drifting, some that cannot be hit yet or
-- at all, one whose reach is endless; twenty bullets among them every frame. Each
-- bullet must hit the first mob in the stage's list it touches while hits move mobs and
-- deaths add new ones, dashing, in the middle of the pass.
local seed = 7
function Rand(n) seed = seed * 16807 % 2147483647; return seed % n end
local kinds = { "m", "wide", "m", "none", "late" }
mobs = 0
function AddMob(kind, x, y, action)
    mobs = mobs + 1
    local o = Stage_AddObject("mob" .. mobs, "mob/" .. kind)
    Obj_SetCustom(o, "name", mobs)
    Obj_SetX(o, x); Obj_SetY(o, y)
    Obj_SetAction(o, action or (kind == "late" and "late") or (mobs % 3 == 0 and "drift" or "now"))
end
-- Every mob's OnDamage: a mob that survives jumps elsewhere; one that dies is replaced by
-- a new one dashing away.
function Damaged(m, amount)
    local hp = Obj_GetHP(m) - amount
    Obj_SetHP(m, hp)
    if hp > 0 then return Obj_SetX(m, 100 + Rand(200)) end
    Log = Log .. " x" .. Obj_GetCustom(m, "name")
    Obj_Delete(m)
    AddMob("m", Obj_GetX(m) + 60, Obj_GetY(m), "dash")
end
function OnStageCreate()
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    for i = 1, 60 do AddMob(i == 45 and "huge" or kinds[i % 5 + 1], 100 + Rand(200), 100 + Rand(200)) end
end
-- A frame's hits, printed at the start of the next: "shot>mob", and "xmob" for a death.
Log = ""
local shots = 0
function Tick()
    if Log ~= "" then print("frame " .. frame - 1 .. ":" .. Log) end
    Log = ""
    if frame < 2 then return end
    for i = 1, 20 do
        shots = shots + 1
        Stage_CreateBullet("bullet/shot", 1, 90 + Rand(220), 90 + Rand(220))
        Obj_SetCustom(Stage_GetBullet(0), "name", shots)
    end
end
