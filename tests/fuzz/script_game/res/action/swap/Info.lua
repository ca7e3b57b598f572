Info = { BeginTime = 1, ActTime = 20, Interval = 30, Speed = 60, DX = -1, DY = 0.5 }
function OnBegin(me)
    Fuzz.Enter("OnBegin", me)
end
function OnAction(me)
    Obj_SetAction(me, Fuzz.Pick({ "go", "tick", "swap", "wait" }))
    Fuzz.Enter("OnAction", me)
end
function OnInterval(me)
    if math.random(3) == 1 then
        Obj_Delete(me)
    end
    Obj_SetAction(me, "swap")
    Fuzz.Enter("OnInterval", me)
end
