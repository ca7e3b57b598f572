Info = nil
