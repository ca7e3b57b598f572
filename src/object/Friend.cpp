#include "object/Friend.h"

namespace Velmora {

Friend::Friend() {
    Type = TypeFriend;
}

Friend::~Friend() = default;

}  // namespace Velmora
