Info = 5
function OnStageCreate()
    Fuzz.Enter("OnStageCreate")
end
