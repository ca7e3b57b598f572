Info = { Type = 2, Name = "drone", Sprite = "drone", HP = 2, Score = 100, CollisionRadius = 14,
         AutoDirection = 1, ZOrder = 1 }
function OnDamage(mob, amount)
    Obj_SetHP(mob, Obj_GetHP(mob) - amount)
    if Obj_GetHP(mob) > 0 then return end
    tally.kills = tally.kills + 1
    Score(Info.Score)
    Stage_CreateEffect("boom", Obj_GetX(mob), Obj_GetY(mob))
    if tally.kills % 3 == 0 then Obj_SetAction(Stage_CreateItem("coin", Obj_GetX(mob), Obj_GetY(mob)), "fall") end
    Obj_Delete(mob)
end
