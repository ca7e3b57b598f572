#pragma once
// A projectile of one side; it flies by a built-in action of its own from its first
// update, so no action script is needed.
#include <cstdint>
#include <string>
#include <vector>

#include "world/BaseObject.h"

namespace Velmora {

class Bullet : public BaseObject {
public:
    explicit Bullet(World& world);
    ~Bullet() override;

    void Update() override;
    void Draw() override;
    void Load(const std::string& path) override;

    std::int32_t Power = 0;
    float Speed = 1.0f;
    bool Positive = false;
    bool AutoDirection = false;
    std::string Name;

private:
    void CopyBullet(const Bullet& source);
    bool OnField() const;
    // Tests the targets in order; at the first touched one, damages it and runs the
    // hit script. True when something was hit (the update ends there).
    template <typename T>
    bool HitFirst(const std::vector<T*>& targets);
    void OnHit(BaseObject* target);
};

}  // namespace Velmora
