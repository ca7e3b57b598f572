count("action/walk")
Info = { DX = 1, Speed = 8, BeginTime = 250 }
function OnBegin(o)
    print("frame " .. frame .. " walk begins for " .. Obj_GetCustom(o, "id") .. ", speed " .. Obj_GetSpeed(o) .. ", dx " .. Obj_GetDX(o) .. ", walk runs " .. runs["action/walk"])
end
