function OnStageCreate()
    error("no way in")
end
