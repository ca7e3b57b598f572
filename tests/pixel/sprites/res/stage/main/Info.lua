Info = { Level = 1 }

local function place(key, kind, x, y)
    local obj = Stage_AddObject(key, "plain/" .. kind)
    Obj_SetX(obj, x)
    Obj_SetY(obj, y)
    return obj
end

function OnStageCreate()
    -- Tint adds to the texture colour: red plus green 0.5 reads orange.
    Obj_SetRGB(place("tinted", "red", 30, 30), 0, 0.5, 0)
    -- Half opacity blends white over the clear colour.
    Obj_SetAlpha(place("faded", "white", 80, 30), 0.5)
    -- A 2 x 2 checker scaled 16 times keeps hard texel edges.
    Obj_SetScale(place("checker", "checker", 150, 50), 16)
    -- A score board keeps to whole pixels and its own look: "-012", the sign without a cell.
    local board = Stage_AddObject("board", "board/score")
    Obj_SetAlpha(board, 0)
    ScoreBoard_SetScore(board, -12)
    -- A crowd of rotated, faded sprites of one picture for the batching comparison.
    for i = 0, 99 do
        local obj = place("crowd" .. i, i % 3 == 0 and "white" or "red", 10 + (i % 10) * 19, 100 + math.floor(i / 10) * 9)
        Obj_SetAngle(obj, i * 0.37)
        Obj_SetAlpha(obj, 0.3 + (i % 7) * 0.1)
        Obj_SetScale(obj, 0.5 + (i % 4) * 0.25)
    end
end
