Info = { Level = 1 }

function OnStageCreate()
    for i = 1, Count do
        local ball = Stage_AddObject("ball" .. i, "plain/ball")
        Obj_SetX(ball, 20 + math.random() * 410)
        Obj_SetY(ball, 20 + math.random() * 560)
        Obj_SetAction(ball, "tick")
        local a = math.random() * 2 * math.pi
        Obj_SetDX(ball, math.cos(a) * 60)
        Obj_SetDY(ball, math.sin(a) * 60)
    end
end
