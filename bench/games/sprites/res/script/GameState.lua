-- sprites: N bullets of one 16 x 16 picture at opacity 0.8 fly across the field in
-- random directions, turned toward their motion; each one that leaves is replaced, so
-- N stay in flight. Nothing collides.
--   VELMORA_BENCH_N      how many bullets (10000)
--   VELMORA_BENCH_SCALE  their scale (1); 0 keeps every one at zero size, which
--                        measures the engine's own work without filling pixels
Count = tonumber(os.getenv("VELMORA_BENCH_N")) or 10000
Scale = tonumber(os.getenv("VELMORA_BENCH_SCALE")) or 1

local W, H, M = 450, 600, 16 -- the field, and the picture size by which a bullet may pass its edge

-- No callback tells a script that a bullet left, so each bullet's leaving is foreseen
-- from its straight flight and checked by its key when the time comes: the work per
-- frame is that of the bullets due, never a walk over all of them.
Serial = 0 -- the number in the next generated key ("5_Bullet" .. Serial)
Due = {}   -- tenth of a second -> serials of the bullets that should have left by then
Next = 0   -- the first tenth not looked at yet

local function Leaves(p, v, size)
    if v > 0 then return (size + M - p) / v end
    if v < 0 then return (-M - p) / v end
    return math.huge
end

local function Expect(serial, at)
    local slot = math.max(math.floor(at * 10) + 1, Next)
    local list = Due[slot]
    if not list then
        list = {}
        Due[slot] = list
    end
    list[#list + 1] = serial
end

function Fire(now)
    local x, y = math.random() * W, math.random() * H
    local a = math.random() * 2 * math.pi
    local v = 20 + math.random() * 150
    local dx, dy = math.cos(a) * v, math.sin(a) * v
    Stage_CreateBullet("bullet/dot", 1, x, y)
    Stage_AdjustBullet(0, dx, dy)
    local b = Stage_GetBullet(0)
    Obj_SetAlpha(b, 0.8)
    if Scale ~= 1 then Obj_SetScale(b, Scale) end
    Expect(Serial, now + math.min(Leaves(x, dx, W), Leaves(y, dy, H)))
    Serial = Serial + 1
end

-- Replaces the bullets that have left by now (stage seconds).
function Refill(now)
    local upto = math.floor(now * 10)
    while Next <= upto do
        local list = Due[Next]
        Due[Next] = nil
        for i = 1, list and #list or 0 do
            local serial = list[i]
            if Obj_GetHandle("5_Bullet" .. serial) then
                Expect(serial, now + 0.1) -- not quite out yet
            else
                Fire(now)
            end
        end
        Next = Next + 1
    end
end

function OnGameCreate()
    Res_AddSprite("dot", "../dot.png", 16, 16)
    Game_ActiveStage("field")
end

function OnKeyEvent(key) end
