#pragma once
// An enemy: moved by its action, a target of the player's bullets.
#include <cstdint>
#include <string>

#include "world/BaseObject.h"

namespace Velmora {

class Mob : public TemplatedKind<Mob> {
public:
    explicit Mob(World& world);
    List ListedIn() const override { return List::Mobs; }
    ~Mob() override;

    void Update() override;
    void Draw() override;
    void OnDamage(int amount) override;

    std::string Name;
    std::int32_t HP = 0;
    std::int32_t Score = 0;
    std::int32_t* HitPoints() override { return &HP; }

protected:
    void ReadSettings(const std::string& path) override;
    void CopySettings(const BaseObject& source) override;
    friend class TemplatedKind<Mob>;

private:
};

}  // namespace Velmora
