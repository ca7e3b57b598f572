function OnGameCreate()
    Res_AddBitmapFont("cells", "res/glyphs.png", 8, 8, 65)
    Res_AddBitmapFont("latin", "res/glyphs.png", 8, 8, 193)
    Res_AddFont("sans", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 200)
    Game_ActiveStage("main")
end
