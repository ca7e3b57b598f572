Info = { Type = 5, Name = "power", Sprite = "power", ZOrder = 3, CollisionRadius = 10 }

-- One more gun, up to four; the option drone joins at two. At full power: points.
function OnEaten(item, hero)
    Obj_Delete(item)
    Sound_Play("power.wav", 0.8, false)
    if Power < MAX_POWER then
        Power = Power + 1
        ShowPower()
        print("power " .. Power)
    else
        AddScore(1000)
    end
    if Power >= 2 then SpawnOption(Obj_GetX(hero), Obj_GetY(hero) + 20) end
end
