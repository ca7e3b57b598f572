Info = { BeginTime = 1, ActTime = 300 }
function OnBegin(effect) end
function OnAction(effect) Obj_Delete(effect) end
