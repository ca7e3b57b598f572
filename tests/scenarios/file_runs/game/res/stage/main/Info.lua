count("stage/main")
Info = { Level = 1 }
-- How often each file has run so far, after each call: all on one line.
local shown = "runs:"
local function show(label, name) shown = shown .. " " .. label .. " " .. (runs[name] or 0) .. ";" end
function OnStageCreate()
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    m1 = Stage_AddObject("m1", "mob/grunt") show("mob", "object/mob/grunt")
    m2 = Stage_AddObject("m2", "mob/grunt") show("mob again", "object/mob/grunt")
    h1 = Stage_AddObject("h1", "hero/ace") show("hero", "object/hero/ace")
    Stage_AddObject("h2", "hero/ace") show("hero again", "object/hero/ace")
    i1 = Stage_AddObject("i1", "item/apple") show("item by key", "object/item/apple")
    Stage_CreateItem("apple", 0, 0) show("item created", "object/item/apple")
    Stage_CreateItem("pear", 0, 0) show("pear", "object/item/pear")
    Stage_CreateItem("pear", 0, 0) show("pear again", "object/item/pear")
    e1 = Stage_CreateEffect("spark", 0, 0) show("effect", "object/effect/spark")
    Stage_CreateEffect("spark", 0, 0) show("effect again", "object/effect/spark")
    Stage_CreateBullet("bullet/shot", 3, 0, 0) show("bullets", "object/bullet/shot")
    Stage_CreateBullet("bullet/shot", 2, 0, 0) show("bullets again", "object/bullet/shot")
    f1 = Stage_CreateFriend("friend/buddy", 0, 0) show("friend", "object/friend/buddy")
    Stage_CreateFriend("friend/buddy", 0, 0) show("friend again", "object/friend/buddy")
    b1 = Stage_AddObject("board", "board/score") show("board", "object/board/score")
    Stage_AddObject("board2", "board/score") show("board again", "object/board/score")
    p1 = Stage_AddObject("p1", "plain/thing") show("plain", "object/plain/thing")
    Stage_AddObject("p2", "plain/thing") show("plain again", "object/plain/thing")
    w1 = Stage_AddObject("w1", "plain/thing")
    Obj_SetCustom(w1, "id", 1); Obj_SetAction(w1, "walk") show("action", "action/walk")
    show("stage so far", "stage/main")
    print(shown)
    Obj_SetAction(Stage_AddObject("observer", "plain/thing"), "clock")
    -- Copies share nothing after loading.
    Obj_SetHP(m1, -1.5)
    print("hp", Obj_GetHP(m1), Obj_GetHP(m2), Obj_GetHP(h1), Obj_GetHP(e1), (Obj_GetHP(i1)))
    for _, o in ipairs({ e1, f1, b1, p1, Stage_GetBullet(0), Game_GetSystemHandle() }) do Obj_SetHP(o, 7) end
    print("no hit points", (Obj_GetHP(f1)), (Obj_GetHP(b1)), (Obj_GetHP(p1)), (Obj_GetHP(Stage_GetBullet(0))),
        (Obj_GetHP(Game_GetSystemHandle())), Obj_GetHP(e1))
    print("board", Obj_GetX(b1), Obj_GetY(b1))
    print("bullet", Obj_GetSpeed(Stage_GetBullet(1)), Obj_GetX(Stage_GetBullet(1)))
end
function Observe(f)
    if f == 4 then
        local w2 = Stage_AddObject("w2", "plain/thing")
        Obj_SetCustom(w2, "id", 2); Obj_SetAction(w2, "walk")
        print("frame 4 second walker", runs["action/walk"], "stage", runs["stage/main"])
    elseif f == 8 then
        Game_ActiveStage("again")
    end
end
