Info = { Level = 1 }
local function add(key, action)
    local o = Stage_AddObject(key, "plain/thing")
    Obj_SetAction(o, action)
    return o
end
function OnStageCreate()
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    walker, sleeper, still, fast = add("walker", "walk"), add("sleeper", "never"), add("still", "still"), add("fast", "fast")
    log, swap = "", add("swap", "first")
    victim = Stage_AddObject("victim", "plain/thing"); Obj_SetAction(victim, "greedy")
    -- The observer is registered last, so it sees every frame after the others moved.
    add("observer", "clock")
    local placed = Stage_AddObject("placed", "plain/thing")
    Obj_SetX(placed, 33); Obj_SetY(placed, 44); Obj_SetAction(placed, "place")
    print("placed", Obj_GetX(placed), Obj_GetY(placed))
    print("step", Obj_GetStep(walker))
    Obj_SetStep(walker, 2.7)
    print("step", Obj_GetStep(walker))
end
-- Runs in the observer's OnInterval.
function Observe(f)
    if f == 4 then print("replaced " .. log .. " x=" .. Obj_GetX(swap) .. ", victim dx=" .. Obj_GetDX(victim)) end
    if f == 6 or f == 12 then
        print("frame " .. f .. " sleeper x=" .. Obj_GetX(sleeper) .. " still x=" .. Obj_GetX(still))
    end
    if f == 6 then
        Obj_SetBeginTime(sleeper, 250)
    elseif f == 10 then
        print("frame 10 fast intervals " .. fired)
    elseif f == 13 then
        Obj_SetBeginTime(walker, 250)
    elseif f == 14 or f == 15 then
        print("frame " .. f .. " walker x=" .. Obj_GetX(walker))
    elseif f == 16 then
        Obj_SetActionTime(walker, 500)
    elseif f == 27 then
        Game_Exit()
    end
end
