Info = {}
