Info = { BeginTime = 125, Interval = 125 }
function OnBegin(o) end
function OnInterval(o)
    local id = Obj_GetCustom(o, "id")
    pass = pass .. " " .. id
    if hook then hook(o, id) end
end
