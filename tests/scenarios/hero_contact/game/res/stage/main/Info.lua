Info = { Level = 1 }
local function place(key, path, action, id)
    local o = Stage_AddObject(key, path)
    Obj_SetX(o, 200); Obj_SetY(o, 300); Obj_SetAction(o, action)
    if id then Obj_SetCustom(o, "id", id) end
end
-- Everything stands on the hero from the start; the actions decide when each one
-- becomes touchable. The targets are registered before the hero, so each is updated
-- (and begins) before the hero tests it in the same frame.
function OnStageCreate()
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    place("ghost", "mob/ghost", "now")
    place("i1", "item/apple", "at1500", 1)   -- with the bat: eaten first, the bat waits
    place("bat", "mob/bat", "at1500")
    place("i2", "item/apple", "at2000", 2)   -- two items at once: one per frame, in order
    place("i3", "item/apple", "at2000", 3)
    place("hero", "hero/ace", "now")
end
