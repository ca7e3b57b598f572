Info = { Level = 2 }
OnStageCreate = nil
