function OnGameCreate()
    print("create")
    Sound_Add("beep.wav")
    Sound_Play("beep.wav", 0.5, false)
    Sound_FadeIn("beep.wav", true)
    local ok, message = pcall(Sound_Add, "nope.ogg")
    print("caught: " .. message)
    Sound_Add("missing.wav")
    print("not reached")
end
function OnKeyEvent(key)
    print("key " .. key)
    if key == 65 then
        Sound_FadeOut("beep.wav")
        Sound_Stop("beep.wav")
        Sound_Play("never-added.wav", 1, true)
    elseif key == 66 then
        Sound_Add("gone.wav")
        print("not reached either")
    end
end
