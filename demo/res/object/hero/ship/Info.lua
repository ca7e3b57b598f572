-- Name must be the folder's name: the engine runs this file again by it on damage.
Info = {
    Type = 1, Name = "ship", Sprite = "hero", ZOrder = 10,
    CollisionRadius = 3,  -- a small core: shots must really touch the cockpit
    Life = 3,
}

function OnDamage(hero, amount)
    HeroHit(hero, amount)
end
