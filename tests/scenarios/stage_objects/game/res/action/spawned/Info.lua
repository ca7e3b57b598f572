Info = { BeginTime = 0 }
function OnBegin(o) print("frame " .. frame .. " begin " .. Obj_GetCustom(o, "id")) end
