function OnGameCreate()
    Res_AddBitmapFont("cells", "res/glyphs.png", 8, 8, 65)
    Res_AddFont("sans", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 200)
    Game_ActiveStage("main")
end
