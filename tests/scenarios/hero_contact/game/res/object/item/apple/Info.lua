Info = { Type = 5, Name = "apple", CollisionRadius = 10 }
function OnEaten(item, hero)
    local id = Obj_GetCustom(item, "id")
    local bites = Obj_GetCustom(item, "bites") + 1
    Obj_SetCustom(item, "bites", bites)
    print("frame " .. frame .. ": item " .. id .. " eaten, bite " .. bites)
    -- Item 3 stays where it is for three bites, then steps aside.
    if id ~= 3 then
        Obj_Delete(item)
    elseif bites == 3 then
        Obj_SetX(item, 0)
    end
end
