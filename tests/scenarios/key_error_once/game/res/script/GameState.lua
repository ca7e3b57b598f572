function OnGameCreate()
end

function OnKeyEvent(key)
    print("key " .. key)
    local missing = nil
    missing.field = key
end
