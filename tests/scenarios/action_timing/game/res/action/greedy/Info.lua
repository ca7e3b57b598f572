-- Replaces the action of its object while that action is being loaded.
Info = { DX = 5 }
if victim and not replacing then replacing = true; Obj_SetAction(victim, "calm"); replacing = false end
