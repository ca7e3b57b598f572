-- Declarations a game might make before its pictures exist: every call must be
-- harmless and hand nothing back.
function OnGameCreate()
    print("declared", select("#", Res_AddSprite("ship", "res/image/missing.png", 50.9, 40)),
        select("#", Res_AddAniSprite("boom", "res/image/missing.png", 64, 32, 0, 2)),
        select("#", Res_AddAni("boom", "fire", 99, "0,1")), select("#", Res_AddAni("ghost", "fire", -1, "0,1")),
        select("#", Res_SetDefaultAniSpeed("boom", "fire", 0.5)),
        select("#", Res_SetFrameAniSpeed("boom", "fire", 7, 1.0)), select("#", Res_AddSprite(nil)))
    Game_ActiveStage("main")
end
