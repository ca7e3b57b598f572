Info = { Level = 1 }
function OnStageCreate()
    local a = Stage_AddObject("a", "mob/m")
    local b = Stage_AddObject("b", "mob/m")
    local gem = Stage_CreateItem("gem", 5, 5)
    Stage_AddObject("c", "mob/m")
    local mobs = Stage_GetObjects(2)
    -- Drawing order: the item's layer (ZOrder -1) comes before the mobs'.
    print("mobs", #mobs, mobs[1] == a, mobs[2] == b, "items", #Stage_GetObjects(5), Stage_GetObjects(5)[1] == gem,
        "none", #Stage_GetObjects(99), #Stage_GetObjects())
    print("types", Obj_GetType(a), Obj_GetType(gem), Obj_GetType(Stage_GetObject("nope")), Obj_GetType(nil), Obj_GetType({}))
    Obj_Delete(b)
    removed = b
    local left = Stage_GetObjects(2)
    print("after removal", #left, left[1] == a, left[2] == Stage_GetObject("c"), Obj_GetType(b))
    Obj_SetSprite(b, "dot") Obj_SetSprite(nil, "dot") Obj_SetSprite(a)
    -- Fonts and text that cannot be are named; a null handle does nothing.
    print(pcall(Res_AddFont, "f", "missing.ttf", 12))
    print(pcall(Res_AddBitmapFont, "g", "res/pic/dot.png", 0, 8, 32))
    Res_AddBitmapFont("g", "res/pic/dot.png", 4, 4, 48)
    print(pcall(Obj_SetText, a, "nofont", "hi"))
    print(pcall(Obj_SetText, a, "g", "0123", "middle"))
    print(pcall(Obj_SetText, nil, "nofont", "hi"), pcall(Obj_SetText, a, "g", 42, "right"), pcall(Obj_SetText, a))
    -- Cells of any size lay out without overflowing.
    Res_AddBitmapFont("wide", "res/pic/dot.png", 2 ^ 31 - 1, 2 ^ 31 - 1, 32)
    Obj_SetText(gem, "wide", "ab\ncd")
    -- A score board given a picture of any width still draws its digits side by side.
    local board = Stage_AddObject("board", "board/b")
    ScoreBoard_SetScore(board, 123)
    Res_AddSprite("wide", "res/pic/dot.png", 2 ^ 31 - 1, 8)
    Obj_SetSprite(board, "wide")
    -- The save folder is made on first use, named by the game's folder, and writable.
    local saved = io.open(Game_GetSaveDir() .. "hiscore.txt", "w")
    saved:write("123") saved:close()
    print("save folder", Game_GetSaveDir():match("/velmora/game/$") ~= nil,
        io.open(Game_GetSaveDir() .. "hiscore.txt"):read("*a"))
    Obj_SetAction(Game_GetSystemHandle(), "clock")
end
