Info = { Level = 9 }
function OnStageCreate()
    Fuzz.Populate()
    error("this stage never finishes loading")
end
