Info = { Type = 4, Name = "shot", Sprite = "dot", Power = 1, Positive = 1, CollisionRadius = 3 }
function OnHit(b, target)
    Log = Log .. " " .. Obj_GetCustom(b, "name") .. ">" .. Obj_GetCustom(target, "name")
    Obj_Delete(b)
end
