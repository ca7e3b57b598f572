Info = { BeginTime = 125, Interval = 125 }
function OnBegin(o) end
function OnInterval(o)
    local id = Obj_GetCustom(o, "id")
    print("frame " .. frame .. " one " .. id)
    if id == 1 and visits == 1 and Obj_GetStep(o) == 2 then
        oldA = o
        Game_ActiveStage("two")
        print("after switch", Game_GetCurStage(), Obj_GetHandle("t") ~= nil, (Obj_GetHandle("a")))
    end
    Obj_SetStep(o, Obj_GetStep(o) + 1)
end
