-- Down the screen, spitting at the hero now and then.
Info = { DY = 1, Speed = 140, BeginTime = 1, Interval = 900 }
function OnBegin(mob) end
function OnInterval(mob)
    local hero = Obj_GetHero()
    if not hero then return end
    Stage_CreateBullet("bullet/spit", 1, Obj_GetX(mob), Obj_GetY(mob))
    Stage_AdjustBullet(0, Obj_GetDirectionX(mob, hero), Obj_GetDirectionY(mob, hero))
end
