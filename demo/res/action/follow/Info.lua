-- Every frame: sits on the ship, seen only while the player focuses.
Info = { BeginTime = 1, Interval = 1 }
function OnBegin(o) end
function OnAction(o) end
function OnInterval(o)
    local hero = Obj_GetHero()
    if hero then
        Obj_SetX(o, Obj_GetX(hero))
        Obj_SetY(o, Obj_GetY(hero))
    end
    Obj_SetAlpha(o, hero and Focused() and not Game_GetPause() and 1 or 0)
end
