#include "world/Friend.h"

#include "world/KindRules.h"

namespace Velmora {

Friend::Friend() {
    Type = TypeFriend;
}

Friend::~Friend() = default;

void Friend::Update() {
    BaseObject::Update();
    KeepOnScreen(*this);
}

}  // namespace Velmora
