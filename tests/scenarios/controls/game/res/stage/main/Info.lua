Info = { Level = 1 }
function OnStageCreate()
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    hero = Stage_AddObject("hero", "hero/ace")
    Obj_SetAction(hero, "steer")
end
-- Shown when the hero moves: the pointer places it; keys (only reported: Escape ends the
-- run) and a disabled control do not.
function Tick()
    if frame == 9 then Game_SetControlAble(false) end
    local line = string.format("x %g y %g dx %g", Obj_GetX(hero), Obj_GetY(hero), Obj_GetDX(hero))
    if line ~= last then print("frame " .. frame .. ": " .. line) end
    last = line
end
