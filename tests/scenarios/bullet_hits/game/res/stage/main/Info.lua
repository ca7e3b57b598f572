Info = { Level = 1 }
-- Names as numbers, since custom values are: 1 hero, 2 friend, 3 mob, 11.. bullets.
local function named(o, name, x)
    Obj_SetCustom(o, "name", name)
    Obj_SetX(o, x); Obj_SetY(o, 300); Obj_SetAction(o, "now")
end
local function fire(path, name, x)
    Stage_CreateBullet(path, 1, x, 300)
    Obj_SetCustom(Stage_GetBullet(0), "name", name)
end
function OnStageCreate()
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    named(Stage_AddObject("hero", "hero/ace"), 1, 200)
    named(Stage_CreateFriend("friend/buddy", 0, 0), 2, 200)
    named(Stage_AddObject("bat", "mob/bat"), 3, 100)
end
-- Bullets that are never aimed stay where they are made.
function Tick()
    if frame == 2 then
        fire("bullet/shot", 11, 200)   -- the player's, over the hero and the friend: nothing
        fire("bullet/shot", 12, 100)   -- the player's, over the mob: hits it every frame
        fire("bullet/spit", 13, 200)   -- the enemies', over hero and friend: the hero first
        fire("bullet/spit", 14, 100)   -- the enemies', over the mob: nothing
    end
end
