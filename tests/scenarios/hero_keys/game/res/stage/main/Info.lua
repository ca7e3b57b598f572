Info = { Level = 1 }

function OnStageCreate()
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    hero = Stage_AddObject("hero", "hero/ace")
    Obj_SetAction(hero, "steer")
    Obj_SetX(hero, 225)
    Obj_SetY(hero, 300)
end

function Tick()
    print(string.format("frame %d: x %g y %g dx %g dy %g", frame, Obj_GetX(hero), Obj_GetY(hero),
        Obj_GetDX(hero), Obj_GetDY(hero)))
end
