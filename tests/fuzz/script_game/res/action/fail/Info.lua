Info = { BeginTime = 5, Speed = 10, DX = 1 }
function OnBegin(me)
    error("the action refuses to begin")
end
