-- The enemies' side; Positive written as a boolean reads as 0 all the same.
Info = { Type = 4, Name = "spit", Sprite = "dot", Power = 1, Speed = 100, Positive = true }
function OnHit(b, target)
    print("frame " .. frame .. ": " .. Obj_GetCustom(b, "name") .. " hits " .. Obj_GetCustom(target, "name"))
    if Obj_GetCustom(target, "name") == 2 then
        local hits = Obj_GetCustom(b, "friendhits") + 1
        Obj_SetCustom(b, "friendhits", hits)
        if hits == 2 then Obj_Delete(b) end
    end
end
