-- barrage: 200 mobs drift over the upper field on their actions while 10000 of the
-- player's bullets stream up from the bottom edge. Every hit runs the mob's OnDamage
-- and the bullet's OnHit, which count it, delete the bullet and fire a new one; bullets
-- that leave the field unhit are replaced as well, so the stream stays 10000 strong.
--   VELMORA_BENCH_N     how many bullets (10000)
--   VELMORA_BENCH_MOBS  how many mobs (200)
Count = tonumber(os.getenv("VELMORA_BENCH_N")) or 10000
Mobs = tonumber(os.getenv("VELMORA_BENCH_MOBS")) or 200
Hits = 0   -- counted by the mobs
Shots = 0  -- counted by the bullets

local W, H, M = 450, 600, 16

-- As in the sprites scene, each bullet's leaving is foreseen from its flight and checked
-- by its key when due; a bullet that hit something has been replaced already.
Serial = 0
Due = {}
Next = 0
SerialOf = {} -- bullet handle -> its serial, while it flies
Spent = {}    -- serials of bullets that hit and were replaced

local function Expect(serial, at)
    local slot = math.max(math.floor(at * 10) + 1, Next)
    local list = Due[slot]
    if not list then
        list = {}
        Due[slot] = list
    end
    list[#list + 1] = serial
end

function Now()
    return Obj_GetX(Game_GetSystemHandle())
end

function Fire(now)
    local x = 10 + math.random() * (W - 20)
    local y = H + M * 0.5
    local dx = (math.random() - 0.5) * 60
    local dy = -(300 + math.random() * 150)
    Stage_CreateBullet("bullet/shot", 1, x, y)
    Stage_AdjustBullet(0, dx, dy)
    SerialOf[Stage_GetBullet(0)] = Serial
    Expect(Serial, now + (-M - y) / dy)
    Serial = Serial + 1
end

-- A bullet that hit: it goes, and a new one takes its place at once.
function Replace(bullet)
    local serial = SerialOf[bullet]
    if serial then
        SerialOf[bullet] = nil
        Spent[serial] = true
        Fire(Now())
    end
end

function Refill(now)
    local upto = math.floor(now * 10)
    while Next <= upto do
        local list = Due[Next]
        Due[Next] = nil
        for i = 1, list and #list or 0 do
            local serial = list[i]
            if Spent[serial] then
                Spent[serial] = nil
            elseif Obj_GetHandle("5_Bullet" .. serial) then
                Expect(serial, now + 0.1)
            else
                Fire(now)
            end
        end
        Next = Next + 1
    end
end

function OnGameCreate()
    Res_AddSprite("dot", "../dot.png", 16, 16)
    Game_ActiveStage("arena")
end

function OnKeyEvent(key) end
