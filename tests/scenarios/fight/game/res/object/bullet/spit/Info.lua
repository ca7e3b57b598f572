Info = { Type = 4, Name = "spit", Sprite = "spit", Power = 1, Speed = 150, CollisionRadius = 4, ZOrder = 3 }
function OnHit(bullet, target)
    if target ~= Obj_GetHero() then tally.friend = tally.friend + 1 end
    Obj_Delete(bullet)
end
