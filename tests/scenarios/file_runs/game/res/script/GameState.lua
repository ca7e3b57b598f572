runs = {}
function count(name) runs[name] = (runs[name] or 0) + 1 end
function OnGameCreate() Game_ActiveStage("main") end
