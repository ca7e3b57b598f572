Info = { Type = 1, Name = "ace", Sprite = "hero", Life = 1000, CollisionRadius = 6, ZOrder = 2 }
function OnDamage(hero, amount)
    Obj_SetHP(hero, Obj_GetHP(hero) - 1)
    if amount < 0 then tally.contact = tally.contact + 1 else tally.shot = tally.shot + 1 end
end
