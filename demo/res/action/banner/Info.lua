-- Banner text: fades in, holds, fades out; the effect's HP counts the ticks left.
Info = { BeginTime = 1, Interval = 50 }

function OnBegin(o) end
function OnAction(o) end

function OnInterval(o)
    local left = Obj_GetHP(o) - 1
    Obj_SetHP(o, left)
    local age = Obj_GetCustom(o, "age") + 1
    Obj_SetCustom(o, "age", age)
    Obj_SetAlpha(o, math.min(1, age / 8, left / 8))
    if left <= 0 then Obj_Delete(o) end
end
