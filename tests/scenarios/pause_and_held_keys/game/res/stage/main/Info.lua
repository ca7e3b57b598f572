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
    Obj_SetAction(Game_GetSystemHandle(), "clock")
end
