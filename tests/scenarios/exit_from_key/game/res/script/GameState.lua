function OnGameCreate()
    print("exit button is X")
end

function OnKeyEvent(key)
    print("key " .. key)
    if key == 88 then
        Game_Exit()
    end
end
