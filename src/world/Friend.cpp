#include "world/Friend.h"

#include "world/KindRules.h"

namespace Velmora {

Friend::Friend(World& world) : BaseObject(world) {
    Type = TypeFriend;
}

Friend::~Friend() = default;

void Friend::Update() {
    BaseObject::Update();
    KeepOnScreen(*this);
}

}  // namespace Velmora
