#pragma once
// An enemy: moved by its action, a target of the player's bullets.
#include <cstdint>
#include <string>

#include "world/BaseObject.h"

namespace Velmora {

class Mob : public BaseObject {
public:
    explicit Mob(World& world);
    ~Mob() override;

    void Update() override;
    void Draw() override;
    void OnDamage(int amount) override;
    void Load(const std::string& path) override;

    std::string Name;
    std::int32_t HP = 0;
    std::int32_t Score = 0;
    bool AutoDirection = false;

private:
    void CopyMob(const Mob& source);
};

}  // namespace Velmora
