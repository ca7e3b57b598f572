#pragma once
// The object the player steers; it also carries its weapon and bomb values for scripts.
#include <cstdint>
#include <string>

#include "world/BaseObject.h"

namespace Velmora {

class Hero : public TemplatedKind<Hero> {
public:
    explicit Hero(World& world);
    List ListedIn() const override { return List::Heroes; }
    ~Hero() override;

    void Update() override;
    void OnDamage(int amount) override;

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
    std::int32_t* HitPoints() override { return &Life; }

protected:
    void ReadSettings(const std::string& path) override;
    void CopySettings(const BaseObject& source) override;
    friend class TemplatedKind<Hero>;

private:
    void Steer();
    void KeepInField();
};

}  // namespace Velmora
