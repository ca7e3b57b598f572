function OnGameCreate()
    print("creating")
    error("boom")
end

function OnKeyEvent(key)
    print("key " .. key)
end
