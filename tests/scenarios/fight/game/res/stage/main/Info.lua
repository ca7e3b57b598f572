Info = { Level = 1 }
function Score(points)
    score = score + points
    ScoreBoard_SetScore(Obj_GetHandle("board"), score)
end
function OnStageCreate()
    tally = { kills = 0, hits = 0, eaten = 0, effects = 0, contact = 0, shot = 0, friend = 0, spawned = 0 }
    score = 0
    Obj_SetAction(Game_GetSystemHandle(), "clock")
    Stage_AddObject("board", "board/score")
    local hero = Stage_AddObject("hero", "hero/ace")
    Obj_SetX(hero, 225); Obj_SetY(hero, 540); Obj_SetAction(hero, "pilot")
    Obj_SetAction(Stage_CreateFriend("friend/wing", 180, 560), "escort")
end
-- A wave: one drone every eighth frame for the first 400 frames, spread across the top.
function Tick()
    if frame <= 400 and frame % 8 == 0 then
        tally.spawned = tally.spawned + 1
        local drone = Stage_AddObject("drone" .. tally.spawned, "mob/drone")
        Obj_SetX(drone, 40 + (tally.spawned * 67) % 370); Obj_SetY(drone, -20); Obj_SetAction(drone, "dive")
    end
    if frame == 600 then
        local hero = Obj_GetHero()
        print(string.format("spawned %d kills %d hits %d eaten %d effects %d friend hit %d", tally.spawned, tally.kills,
            tally.hits, tally.eaten, tally.effects, tally.friend))
        print(string.format("hero damage: contact %d shot %d life %d at %g %g, volleys %d, score %d",
            tally.contact, tally.shot, Obj_GetHP(hero), Obj_GetX(hero), Obj_GetY(hero), volleys or 0, score))
    end
end
