#pragma once
// An object on the player's side, hit by the enemies' bullets after the heroes.
#include "object/BaseObject.h"

namespace Velmora {

class Friend : public BaseObject {
public:
    Friend();
    ~Friend() override;
};

}  // namespace Velmora
