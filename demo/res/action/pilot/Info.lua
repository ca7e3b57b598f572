-- The hero's action. It starts below the field flying up; once in place the player
-- steers (the engine writes DX and DY from the arrows at this Speed). The interval is
-- the rate of continuous fire, and how often the ship looks at the focus key.
Info = { DY = -1, Speed = 210, BeginTime = 1, ActTime = 700, Interval = 90 }

function OnBegin(o) end

function OnAction(o)
    Obj_SetDY(o, 0)
    Game_SetControlAble(true)
end

function OnInterval(o)
    Obj_SetSpeed(o, Focused() and 110 or 210)
    if Firing() then FireVolley() end
end
