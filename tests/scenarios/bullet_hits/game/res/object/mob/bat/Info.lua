Info = { Type = 2, Name = "bat", CollisionRadius = 10, HP = 9 }
function OnDamage(m, amount)
    print("frame " .. frame .. ": mob damaged " .. amount)
end
