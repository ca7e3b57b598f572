-- A mob wanders over the upper field, turning toward a new heading twice a second
-- and back toward the middle whenever it strays.
Info = { Speed = 60, BeginTime = 1, Interval = 500 }

local function Head(mob, angle)
    Obj_SetDX(mob, math.cos(angle))
    Obj_SetDY(mob, math.sin(angle))
end

function OnBegin(mob)
    Head(mob, math.random() * 2 * math.pi)
end

function OnInterval(mob)
    local x, y = Obj_GetX(mob), Obj_GetY(mob)
    if x < 30 or x > 420 or y < 30 or y > 330 then
        Head(mob, math.atan2(180 - y, 225 - x))
    else
        Head(mob, math.random() * 2 * math.pi)
    end
end
