-- The player's side.
Info = { Type = 4, Name = "shot", Sprite = "dot", Power = 2, Speed = 100, Positive = 1 }
function OnHit(b, target)
    local hits = Obj_GetCustom(b, "hits") + 1
    Obj_SetCustom(b, "hits", hits)
    print("frame " .. frame .. ": " .. Obj_GetCustom(b, "name") .. " hits " .. Obj_GetCustom(target, "name"))
    if hits == 3 then Obj_Delete(b) end
end
