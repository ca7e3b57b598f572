-- Text on the panel or the field: no picture of its own (Obj_SetText gives it words).
Info = { ZOrder = 102 }
