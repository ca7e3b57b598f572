-- Replaced by its own OnAction: neither its OnInterval nor its motion follow.
Info = { DX = 1, Speed = 8, BeginTime = 125, ActTime = 125, Interval = 125 }
function OnBegin(o) end
function OnAction(o) log = log .. "A"; Obj_SetAction(o, "second") end
function OnInterval(o) log = log .. "I" end
