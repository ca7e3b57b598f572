Info = { Level = 1 }

function OnStageCreate()
    Soak.Declare()
    Soak.Populate()
end
