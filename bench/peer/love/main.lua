-- The sprites bench scene written for LÖVE 11.4 as an author of that framework would:
-- N bullets of one 16 x 16 picture at opacity 0.8 fly across the 450 x 600 field in
-- random directions at 20 to 170 px/s, turned toward their motion; each one that passes
-- an edge by its size is replaced by a new one somewhere in the field, so N stay in
-- flight. One love.graphics.draw per bullet (LÖVE batches consecutive draws of one
-- picture itself).
--
--   love bench/peer/love [--frames F] [--picture FILE] [--spritebatch]
--   VELMORA_BENCH_N      how many bullets (10000)
--   VELMORA_BENCH_SCALE  their scale (1); 0 draws every one at zero size
--
-- --spritebatch fills a stream SpriteBatch instead of drawing each bullet. After F frames
-- (600) prints "frames= seconds= fps=" like velmora --stats, and the last frame's draw
-- calls, and quits.

local W, H, M = 450, 600, 16

local count = tonumber(os.getenv("VELMORA_BENCH_N")) or 10000
local scale = tonumber(os.getenv("VELMORA_BENCH_SCALE")) or 1
local frames = 600
local picturePath = love.filesystem.getSource() .. "/../../games/dot.png"
local useBatch = false

local picture, batch
local bullets = {}

local function fire(b)
    b.x, b.y = math.random() * W, math.random() * H
    local a = math.random() * 2 * math.pi
    local v = 20 + math.random() * 150
    b.dx, b.dy = math.cos(a) * v, math.sin(a) * v
    b.r = a
    return b
end

-- The picture lives beside the Velmora scenes, outside this game's directory, where
-- love.filesystem cannot reach: read it with plain io.
local function loadPicture(path)
    local file = assert(io.open(path, "rb"), "cannot open " .. path)
    local bytes = file:read("*a")
    file:close()
    local image = love.graphics.newImage(love.filesystem.newFileData(bytes, "dot.png"))
    image:setFilter("nearest", "nearest")
    return image
end

function love.load(args)
    local i = 1
    while i <= #args do
        local a = args[i]
        if a == "--frames" then
            frames = assert(tonumber(args[i + 1]), "--frames needs a number"); i = i + 1
        elseif a == "--picture" then
            picturePath = args[i + 1]; i = i + 1
        elseif a == "--spritebatch" then
            useBatch = true
        end
        i = i + 1
    end
    math.randomseed(1)
    picture = loadPicture(picturePath)
    if useBatch then batch = love.graphics.newSpriteBatch(picture, count, "stream") end
    for n = 1, count do bullets[n] = fire({}) end
end

function love.update(dt)
    for n = 1, count do
        local b = bullets[n]
        local x, y = b.x + b.dx * dt, b.y + b.dy * dt
        if x < -M or x > W + M or y < -M or y > H + M then
            fire(b)
        else
            b.x, b.y = x, y
        end
    end
end

function love.draw()
    love.graphics.setColor(1, 1, 1, 0.8)
    if batch then
        batch:clear()
        for n = 1, count do
            local b = bullets[n]
            batch:add(b.x, b.y, b.r, scale, scale, 8, 8)
        end
        love.graphics.draw(batch)
    else
        for n = 1, count do
            local b = bullets[n]
            love.graphics.draw(picture, b.x, b.y, b.r, scale, scale, 8, 8)
        end
    end
end

-- LÖVE's default loop, less its 1 ms sleep a frame (which alone would cap a frame rate
-- near 1,000 fps), counting frames from the first one after love.load.
function love.run()
    love.load(love.arg.parseGameArguments(arg))
    love.timer.step()
    local start = love.timer.getTime()
    local done = 0
    return function()
        love.event.pump()
        for name, a, b, c, d, e, f in love.event.poll() do
            if name == "quit" then return a or 0 end
            love.handlers[name](a, b, c, d, e, f)
        end
        love.update(love.timer.step())
        love.graphics.origin()
        love.graphics.clear(love.graphics.getBackgroundColor())
        love.draw()
        done = done + 1
        local draws = done >= frames and love.graphics.getStats().drawcalls
        love.graphics.present()
        if done >= frames then
            local seconds = love.timer.getTime() - start
            io.write(string.format("frames=%d seconds=%.3f fps=%.1f draws=%d\n", done, seconds,
                seconds > 0 and done / seconds or 0, draws))
            io.stdout:flush()
            return 0
        end
    end
end
