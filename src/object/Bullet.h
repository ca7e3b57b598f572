#pragma once
// A projectile of one side; it flies by a built-in action of its own from its first
// update, so no action script is needed.
#include <cstdint>
#include <string>

#include "object/BaseObject.h"

namespace Velmora {

class Bullet : public BaseObject {
public:
    Bullet();
    ~Bullet() override;

    void Load(const std::string& path) override;

    std::int32_t Power = 0;
    float Speed = 1.0f;
    bool Positive = false;
    bool AutoDirection = false;
    std::string Name;

private:
    void CopyBullet(const Bullet& source);
};

}  // namespace Velmora
