#pragma once
// The object the player steers; it also carries its weapon and bomb values for scripts.
#include <cstdint>
#include <string>

#include "world/BaseObject.h"

namespace Velmora {

class Hero : public BaseObject {
public:
    explicit Hero(World& world);
    ~Hero() override;

    void Update() override;
    void OnDamage(int amount) override;
    void Load(const std::string& path) override;

    std::string Name;
    std::int32_t Life = 0;
    std::int32_t WeaponType = 0;
    std::int32_t WeaponLevel = 0;
    std::int32_t BombType = 0;
    std::int32_t BombLevel = 0;
    std::int32_t BombCount = 0;
    std::int32_t BombCountMax = 0;
    bool ControlAble = true;
    float LastHitTime = 0.0f;

private:
    void CopyHero(const Hero& source);
    void Steer();
    void KeepInField();
};

}  // namespace Velmora
