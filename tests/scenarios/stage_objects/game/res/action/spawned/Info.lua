Info = { BeginTime = 0 }
function OnBegin(o) pass = pass .. " begin " .. Obj_GetCustom(o, "id") end
