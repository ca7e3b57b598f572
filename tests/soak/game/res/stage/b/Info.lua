Info = { Level = 1 }
function OnStageCreate() Soak.Enter() end
