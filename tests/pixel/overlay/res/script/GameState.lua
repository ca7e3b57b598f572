function OnGameCreate() Game_ActiveStage("main") end
