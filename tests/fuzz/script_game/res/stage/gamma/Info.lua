Info = { Level = 5 }
function OnStageCreate()
    Fuzz.Populate()
    Fuzz.Enter("OnStageCreate")
end
