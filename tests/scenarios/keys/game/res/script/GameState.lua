function OnGameCreate()
    print("created")
end

function OnKeyEvent(key)
    print("key " .. key)
end
