Info = { BeginTime = 250, Interval = 250 }
function OnBegin(o) end
function OnAction(o) end
function OnInterval(o)
    print(string.format("tick %.3f removed %s", Game_GetStageTime(), tostring((Obj_GetType(removed)))))
end
