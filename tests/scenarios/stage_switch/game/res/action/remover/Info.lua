Info = { BeginTime = 125, Interval = 125 }
function OnBegin(o) end
function OnInterval(o)
    local id = Obj_GetCustom(o, "id")
    print("frame " .. frame .. " two " .. id, (Obj_GetX(oldA)))
    Obj_SetX(oldA, 5)
    if id == 1 and Obj_GetStep(o) == 2 then
        Game_RemoveCurStage()
        print("after removal", (Game_GetCurStage()), type(Stage_GetObject("t")), (Obj_GetHero()),
            type(Stage_CreateItem("x", 0, 0)), type(Obj_SetAction(Game_GetSystemHandle(), "remover")))
    end
    Obj_SetStep(o, Obj_GetStep(o) + 1)
end
