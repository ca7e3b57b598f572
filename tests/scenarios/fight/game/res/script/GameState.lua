function OnGameCreate()
    Res_AddAniSprite("hero", "res/pic.png", 32, 32, 4, 1)
    Res_AddAni("hero", "LeftDown", 2, "0,1")
    Res_AddAni("hero", "RightDown", 2, "0,2")
    Res_AddAni("hero", "LeftUp", 2, "1,0")
    Res_AddAni("hero", "RightUp", 2, "2,0")
    Res_AddSprite("drone", "res/pic.png", 32, 32)
    Res_AddSprite("shot", "res/pic.png", 6, 12)
    Res_AddSprite("spit", "res/pic.png", 8, 8)
    Res_AddSprite("coin", "res/pic.png", 12, 12)
    Res_AddSprite("wing", "res/pic.png", 24, 24)
    Res_AddSprite("digits", "res/pic.png", 200, 24)
    Res_AddAniSprite("boom", "res/pic.png", 16, 16, 2, 1)
    Res_AddAni("boom", "Blast", 2, "0,1")
    Res_SetDefaultAniSpeed("boom", "Blast", 0.1)
    Game_ActiveStage("main")
end
-- Space fires a wide volley on top of the hero's own steady fire.
function OnKeyEvent(key)
    local hero = Obj_GetHero()
    if key ~= 32 or not hero then return end
    Stage_CreateBullet("bullet/shot", 3, Obj_GetX(hero), Obj_GetY(hero) - 16)
    for k, dx in ipairs({ -0.3, 0, 0.3 }) do Stage_AdjustBullet(k - 1, dx, -1) end
    volleys = (volleys or 0) + 1
end
