Info = { Level = 3
function OnStageCreate() end
