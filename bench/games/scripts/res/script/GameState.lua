-- scripts: 1000 balls, each with an action whose OnInterval runs every frame and does
-- a little work through the object functions. Run it with a fixed frame time of at
-- least a millisecond (--dt 0.002) so that every ball is called once in every frame.
--   VELMORA_BENCH_N  how many balls (1000)
Count = tonumber(os.getenv("VELMORA_BENCH_N")) or 1000

function OnGameCreate()
    Res_AddSprite("dot", "../dot.png", 16, 16)
    Game_ActiveStage("crowd")
end

function OnKeyEvent(key) end
