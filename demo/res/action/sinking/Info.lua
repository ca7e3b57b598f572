-- The guardian's wreck sinks, bursting here and there, then blows up for good and
-- the game is won.
Info = { DY = 1, Speed = 18, BeginTime = 1, Interval = 120 }

function OnBegin(o) end
function OnAction(o) end

function OnInterval(o)
    local step = Obj_GetStep(o) + 1
    Obj_SetStep(o, step)
    local x, y = Obj_GetX(o), Obj_GetY(o)
    local e = Explode(x + math.random(-56, 56), y + math.random(-36, 36), "boom")
    Obj_SetScale(e, 1.5)
    Sound_Play("boom.wav", 0.6, false)
    Shake(5, 3)
    Obj_SetAlpha(o, 1 - step / 30)
    if step == 24 then
        for i = -1, 1 do Explode(x + i * 40, y, "bigboom") end
        Sound_Play("bigboom.wav", 1, false)
        Shake(10, 16)
        Obj_Delete(o)
        Later(70, function() Game_ActiveStage("clear") end)
    end
end
