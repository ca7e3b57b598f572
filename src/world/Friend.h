#pragma once
// An object on the player's side, hit by the enemies' bullets after the heroes.
#include "world/BaseObject.h"

namespace Velmora {

class Friend : public BaseObject {
public:
    explicit Friend(World& world);
    List ListedIn() const override { return List::Friends; }
    ~Friend() override;

    // Moves like a mob and leaves the same way; drawn even before its action begins.
    void Update() override;
};

}  // namespace Velmora
