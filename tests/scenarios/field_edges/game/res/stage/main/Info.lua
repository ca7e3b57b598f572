Info = { Level = 1 }
-- The engine runs this file again after OnStageCreate; the list must survive that.
watched = watched or {}
local function watch(name, o, x, y, action)
    Obj_SetX(o, x)
    Obj_SetY(o, y)
    if action then Obj_SetAction(o, action) end
    watched[#watched + 1] = { name = name, object = o, last = string.format("at %g", x) }
end
local function bullet(name, path, x, y, dx)
    Stage_CreateBullet(path, 1, x, y)
    if dx then Stage_AdjustBullet(0, dx, 0) end
    watch(name, Stage_GetBullet(0), x, y)
end
function OnStageCreate()
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    -- A 16-pixel picture on a 450 x 600 field: strictly inside -16 < x < 466.
    bullet("bullet x -16", "bullet/b16", -16, 300)
    bullet("bullet x -15.9", "bullet/b16", -15.9, 300)
    bullet("bullet x 466", "bullet/b16", 466, 300)
    bullet("bullet x 465.9", "bullet/b16", 465.9, 300)
    bullet("bullet y 616", "bullet/b16", 100, 616)
    bullet("bullet y 615.9", "bullet/b16", 100, 615.9)
    bullet("bullet moving right from 460", "bullet/b16", 460, 300, 1)
    bullet("bare bullet x 0", "bullet/bare", 0, 0)
    bullet("bare bullet x 450", "bullet/bare", 450, 600)
    bullet("bare bullet x -0.5", "bullet/bare", -0.5, 300)
    -- A 64-pixel picture: removed from 450 + 64 + 500 = 1014 on, or at -564 and below.
    watch("mob x 1013.9", Stage_AddObject("m1", "mob/bat"), 1013.9, 300, "now")
    watch("mob x 1014", Stage_AddObject("m2", "mob/bat"), 1014, 300, "now")
    watch("mob x -564", Stage_AddObject("m3", "mob/bat"), -564, 300, "now")
    watch("mob x -563.9", Stage_AddObject("m4", "mob/bat"), -563.9, 300, "now")
    watch("mob far off, begins at 1 s (frame 8)", Stage_AddObject("m5", "mob/bat"), 10000, 300, "at1000")
    watch("mob far off, no action", Stage_AddObject("m6", "mob/bat"), 10000, 300)
    watch("mob far off, no picture", Stage_AddObject("m7", "mob/blank"), 10000, 300, "now")
    watch("friend y 1164", Stage_CreateFriend("friend/buddy", 0, 0), 100, 1164, "now")
    watch("friend y 1163.9", Stage_CreateFriend("friend/buddy", 0, 0), 100, 1163.9, "now")
    watch("friend far off, no action", Stage_CreateFriend("friend/buddy", 0, 0), 10000, 300)
end
-- Reports every watched object that moved or went since the previous frame, and at the
-- end the ones still there.
function Tick()
    local kept = {}
    for _, w in ipairs(watched) do
        local x = Obj_GetX(w.object)
        local state = x and string.format("at %g", x) or "gone"
        if state ~= w.last then print(string.format("frame %d: %s %s", frame, w.name, state)) end
        w.last = state
        if x then kept[#kept + 1] = w.name end
    end
    if frame == 10 then print("kept: " .. table.concat(kept, "; ")) end
end
