#pragma once
// A projectile of one side; it flies by a built-in action of its own from its first
// update, so no action script is needed.
#include <cstdint>
#include <string>
#include <vector>

#include "world/BaseObject.h"

namespace Velmora {

class Mob;

class Bullet : public TemplatedKind<Bullet> {
public:
    explicit Bullet(World& world);
    List ListedIn() const override { return List::Bullets; }
    ~Bullet() override;

    void Update() override;
    void Draw() override;

    std::int32_t Power = 0;
    float Speed = 1.0f;
    std::string Name;
    // Where the stage's latest batch (StageObjects::Bullets) holds it, if it still does.
    std::size_t BatchIndex = 0;

protected:
    void ReadSettings(const std::string& path) override;
    void CopySettings(const BaseObject& source) override;
    friend class TemplatedKind<Bullet>;

private:
    bool OnField() const;
    // Tests the targets in order; at the first touched one, damages it and runs the
    // hit script. True when something was hit (the update ends there).
    template <typename T>
    bool HitFirst(const std::vector<T*>& targets);
    bool HitFirstMob(const std::vector<Mob*>& mobs);
    // Damages the target, then runs the hit script if the target is still there.
    void Hit(BaseObject* target);
    void OnHit(BaseObject* target);
};

}  // namespace Velmora
