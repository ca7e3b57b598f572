Info = { Level = 2 }
local function add(key, path, id, action)
    local o = Stage_AddObject(key, path)
    Obj_SetCustom(o, "id", id)
    if action then Obj_SetAction(o, action) end
    return o
end
function OnStageCreate()
    print("stage", Game_GetCurStage())
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    -- Generated keys share one serial across the creation functions.
    local i0 = Stage_CreateItem("apple", 10, 20)
    local i1 = Stage_CreateItem("apple", 30.5, 40)
    local e = Stage_CreateEffect("spark", 5, 6)
    Stage_CreateBullet("bullet/shot", 2, 7, 8)
    local f = Stage_CreateFriend("friend/buddy", 1, 2)
    for _, key in ipairs({ "4_Item0", "4_Item1", "3_Effect2", "5_Bullet3", "5_Bullet4", "Friend5" }) do
        local o = Obj_GetHandle(key)
        print(key, Obj_GetX(o), Obj_GetY(o))
    end
    print("handles match", i0 == Obj_GetHandle("4_Item0"), i1 == Stage_GetObject("4_Item1"),
        e == Obj_GetHandle("3_Effect2"), f == Obj_GetHandle("Friend5"))
    -- The latest batch by index.
    print("batch", Stage_GetBullet(0) == Obj_GetHandle("5_Bullet3"), Stage_GetBullet(1) == Obj_GetHandle("5_Bullet4"),
        (Stage_GetBullet(2)), (Stage_GetBullet(-1)))
    Stage_AdjustBullet(1, 3, 4); Stage_AdjustBullet(7, 1, 1); Stage_AdjustBullet(-1, 1, 1)
    print("adjusted", Obj_GetDX(Stage_GetBullet(1)), Obj_GetDY(Stage_GetBullet(1)), Obj_GetSpeed(Stage_GetBullet(1)),
        Obj_GetDX(Stage_GetBullet(0)))
    Stage_CreateBullet("bullet/shot", 3, 50, 60)
    print("new batch", Stage_GetBullet(2) == Obj_GetHandle("5_Bullet8"), (Stage_GetBullet(3)))
    -- An infinite count reads as the largest integer; refused counts change nothing.
    print("too many", select(2, pcall(Stage_CreateBullet, "bullet/shot", 1 / 0, 0, 0)))
    print("still", select(2, pcall(Stage_CreateBullet, "bullet/shot", 100001, 0, 0)), Stage_GetBullet(2) == Obj_GetHandle("5_Bullet8"))
    Obj_Delete(Stage_GetBullet(1))
    -- Layers: 5, 0, 5 in that order of registration.
    add("a", "plain/z5", 1, "tick"); add("b", "plain/z0", 2, "tick"); add("c", "plain/z5", 3, "tick")
    add("dup", "plain/z0", 6, "tick"); add("dup", "plain/z0", 7, "tick")
    print("dup is", Obj_GetCustom(Obj_GetHandle("dup"), "id"))
    -- A file declaring Type 4 given to Stage_AddObject is a plain object, not a bullet.
    local plain = add("plainbullet", "plain/bulletlike", 8)
    print("plain bullet", Obj_GetDX(plain), Stage_GetBullet(0) == Obj_GetHandle("5_Bullet6"))
    -- Heroes.
    local h1, h2 = Stage_AddObject("h1", "hero/ace"), Stage_AddObject("h2", "hero/ace")
    print("hero", Obj_GetHero() == h1, Obj_GetHP(h1), Game_GetControlAble())
    Game_SetControlAble(false)
    local off = Game_GetControlAble()
    Game_SetControlAble(1)
    print("control", off, Game_GetControlAble())
    -- Keys given as numbers, and missing arguments.
    add(5, "plain/z0", 9)
    print("numeric key", Obj_GetCustom(Obj_GetHandle("5"), "id"))
    print("missing", Stage_AddObject("k"), Stage_AddObject(nil, "plain/z0"), Stage_GetObject(),
        Stage_CreateItem(), Stage_CreateEffect(nil, 1, 2), (Stage_CreateFriend()))
    local none = Stage_GetObject("never")
    print("unknown key", type(none), Obj_GetX(none), Obj_GetHandle("never"), (Obj_GetHandle()))
end
-- The objects updated in a frame, in order, one line per frame (printed when the next
-- frame starts, and before the exit).
function Tick()
    if pass then print(pass) end
    pass = "frame " .. frame .. " updates"
end
hook = function(o, id)
    if frame == 2 and id == 2 then
        -- Created during the pass: same layer now, lower layer next frame.
        add("d", "plain/z0", 4, "spawned"); add("e", "plain/low", 5, "spawned")
        Stage_AdjustBullet(1, 5, 5)  -- the empty entry: nothing to adjust
        print("removed bullet", Stage_GetBullet(1), Stage_GetBullet(2) == Obj_GetHandle("5_Bullet8"))
        local moving = Obj_GetHandle("5_Bullet4")
        print("moving bullet", Obj_GetX(moving), Obj_GetY(moving))
    elseif frame == 3 and id == 2 then
        gone = { Obj_GetHandle("a"), Obj_GetHandle("h2"), o }
        Obj_Delete(Obj_GetHandle("a")); Obj_Delete(Obj_GetHandle("h2"))
    elseif frame == 3 and id == 6 then
        gone[#gone + 1] = o
        Obj_Delete(o)
    elseif frame == 3 and id == 3 then
        Obj_Delete(Obj_GetHandle("b"))
    elseif frame == 4 and id == 3 then
        print("after removals", Obj_GetHandle("a"), Obj_GetCustom(Obj_GetHandle("dup"), "id"), Obj_GetHero(),
            Game_GetControlAble(), Obj_GetHandle("h1") ~= nil)
        Stage_CreateBullet("bullet/shot", 0, 0, 0)
        print("empty batch", (Stage_GetBullet(0)))
        Stage_CreateItem("apple", 0, 0)
        print("serial kept", Obj_GetHandle("4_Item9") ~= nil)
        -- New objects take the memory of the removed ones; their old handles stay null.
        local answered, matched = 0, 0
        for i = 1, 40 do
            local new = Stage_AddObject("churn" .. i, i % 2 == 0 and "plain/z0" or "hero/ace")
            for _, old in ipairs(gone) do
                if old == new then matched = matched + 1 end
            end
        end
        for _, old in ipairs(gone) do
            if Obj_GetX(old) ~= nil then answered = answered + 1 end
        end
        print("removed handles", #gone, answered, matched)
    elseif frame == 5 and id == 3 then
        print(pass .. ", exit")
        Game_Exit()
    end
end
