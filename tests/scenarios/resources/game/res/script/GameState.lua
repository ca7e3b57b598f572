-- Declarations a game might make before its pictures exist: every call must be
-- harmless and hand nothing back.
function OnGameCreate()
    for _, name in ipairs({ "Res_AddSprite", "Res_AddAniSprite", "Res_AddAni",
                            "Res_SetDefaultAniSpeed", "Res_SetFrameAniSpeed" }) do
        print(name .. " " .. type(_G[name]))
    end
    print(select("#", Res_AddSprite("ship", "res/image/missing.png", 50.9, 40)))
    print(select("#", Res_AddAniSprite("boom", "res/image/missing.png", 64, 32, 0, 2)))
    print(select("#", Res_AddAni("boom", "fire", 99, "0,1")))
    print(select("#", Res_AddAni("ghost", "fire", -1, "0,1")))
    print(select("#", Res_SetDefaultAniSpeed("boom", "fire", 0.5)))
    print(select("#", Res_SetFrameAniSpeed("boom", "fire", 7, 1.0)))
    print(select("#", Res_AddSprite(nil)))
    print("declared")
end

function OnKeyEvent(key)
end
