Info = { Level = 4 }
function OnStageCreate()
    Fuzz.Populate()
    Fuzz.Enter("OnStageCreate")
end
