Info = { Level = 1 }

function OnStageCreate()
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    hero = Stage_AddObject("hero", "hero/ace")
    Obj_SetAction(hero, "steer")
end

function Tick()
    if frame == 9 then Game_SetControlAble(false) end
    print(string.format("frame %d: x %g y %g dx %g", frame, Obj_GetX(hero), Obj_GetY(hero), Obj_GetDX(hero)))
end
