-- The title's ship flies to and fro, banking into each turn and levelling out
-- midway. Step 2 means banked, 1 level.
Info = { DX = 1, Speed = 70, BeginTime = 1, Interval = 100 }

function OnBegin(o)
    Obj_PlayAni(o, "RightDown", false)
    Obj_SetStep(o, 2)
end

function OnAction(o) end

function OnInterval(o)
    local x, dx = Obj_GetX(o), Obj_GetDX(o)
    if (x > 340 and dx > 0) or (x < 110 and dx < 0) then
        Obj_SetDX(o, -dx)
        Obj_PlayAni(o, dx > 0 and "LeftDown" or "RightDown", false)
        Obj_SetStep(o, 2)
    elseif Obj_GetStep(o) == 2 and math.abs(x - 225) < 20 then
        Obj_PlayAni(o, dx > 0 and "RightUp" or "LeftUp", false)
        Obj_SetStep(o, 1)
    end
end
