Info = { Level = 1 }
function OnStageCreate()
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    hero = Stage_AddObject("hero", "hero/ace")
    Obj_SetAction(hero, "steer")
    Obj_SetX(hero, 225)
    Obj_SetY(hero, 300)
end
-- Shown when the keys change the heading: the places in between follow from the speed.
function Tick()
    local line = string.format("x %g y %g dx %g dy %g", Obj_GetX(hero), Obj_GetY(hero), Obj_GetDX(hero), Obj_GetDY(hero))
    local heading = line:match("dx.*")
    if heading ~= last then print("frame " .. frame .. ": " .. line) end
    last = heading
end
