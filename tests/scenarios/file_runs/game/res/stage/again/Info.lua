count("stage/again")
function OnStageCreate()
    Stage_AddObject("m", "mob/grunt")
    print("mob in the next stage", runs["object/mob/grunt"])
    Game_Exit()
end
