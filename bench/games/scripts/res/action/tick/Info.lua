-- tick: a ball that wanders over the field, turning a little every frame and bouncing
-- off the edges, and keeps a count of its ticks.
--
-- Times are in milliseconds: it begins a millisecond after it is given and its period
-- is one millisecond, so with frames of a millisecond or more it runs once a frame.
Info = {
    X = 0,          -- keep the place the stage gave the ball
    Y = 0,
    DX = 0,         -- the stage aims every ball itself
    DY = 0,
    Speed = 1,
    BeginTime = 1,
    ActTime = 0,    -- no OnAction
    Interval = 1,
}

local Left, Right, Top, Bottom = 16, 434, 16, 584
local Turning = 0.01 -- radians a tick

-- Turns the ball's direction of flight by a small angle.
local function Turn(ball, angle)
    local dx, dy = Obj_GetDX(ball), Obj_GetDY(ball)
    local c, s = math.cos(angle), math.sin(angle)
    Obj_SetDX(ball, dx * c - dy * s)
    Obj_SetDY(ball, dx * s + dy * c)
end

-- Sends the ball back when it has crossed an edge while flying outward.
local function Bounce(ball)
    local x, y = Obj_GetX(ball), Obj_GetY(ball)
    local dx, dy = Obj_GetDX(ball), Obj_GetDY(ball)
    if (x < Left and dx < 0) or (x > Right and dx > 0) then
        Obj_SetDX(ball, -dx)
    end
    if (y < Top and dy < 0) or (y > Bottom and dy > 0) then
        Obj_SetDY(ball, -dy)
    end
end

function OnBegin(ball)
    Obj_SetCustom(ball, "ticks", 0)
end

function OnInterval(ball)
    local step = Obj_GetStep(ball) + 1
    Obj_SetStep(ball, step)
    Turn(ball, Turning)
    Bounce(ball)
    Obj_SetAngle(ball, step * 0.05)
    Obj_SetCustom(ball, "ticks", Obj_GetCustom(ball, "ticks") + 1)
end
