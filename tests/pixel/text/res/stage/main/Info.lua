Info = { Level = 1 }

local function label(key, x, y, font, text, align)
    local obj = Stage_AddObject(key, "plain/label")
    Obj_SetX(obj, x)
    Obj_SetY(obj, y)
    Obj_SetText(obj, font, text, align)
    return obj
end

function OnStageCreate()
    -- Picture cells as glyphs, in the picture's own colours; a character the font
    -- lacks ("C") takes a cell's room.
    label("left", 20, 20, "cells", "ABCA", "left")
    label("right", 400, 20, "cells", "AB", "right")
    -- Text is UTF-8, as scripts are: two characters, not four bytes.
    label("utf8", 20, 50, "latin", "ÁÂ", "left")
    -- Two lines, centred on the object as a block, scaled twice.
    Obj_SetScale(label("lines", 100, 100, "cells", "A\nB"), 2)
    -- A TrueType glyph in the object's colour: the stem of an "l" 200 pixels high.
    Obj_SetRGB(label("sans", 225, 300, "sans", "l"), 1, 1, 1)
    -- Empty text goes back to the picture, which this object lacks: nothing shows.
    Obj_SetText(label("gone", 300, 100, "cells", "AAAA"), "cells", "")
end
