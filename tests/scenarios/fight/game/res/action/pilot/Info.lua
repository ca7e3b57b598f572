-- The hero's own fire: two shots every fifth of a second.
Info = { Speed = 220, BeginTime = 1, Interval = 200 }
function OnBegin(hero) end
function OnInterval(hero)
    Stage_CreateBullet("bullet/shot", 2, Obj_GetX(hero), Obj_GetY(hero) - 16)
    Stage_AdjustBullet(0, -0.05, -1)
    Stage_AdjustBullet(1, 0.05, -1)
end
