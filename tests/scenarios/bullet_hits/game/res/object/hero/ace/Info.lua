Info = { Type = 1, Name = "ace", Life = 3, CollisionRadius = 10 }
function OnDamage(h, amount)
    local life = Obj_GetHP(h) - 1
    Obj_SetHP(h, life)
    print("frame " .. frame .. ": hero damaged " .. amount .. ", life " .. life)
    if life == 0 then Obj_Delete(h) end
end
