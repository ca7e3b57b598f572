#include "stage/StageSlot.h"

namespace Velmora {

void StageSlot::Load(const std::string& name) {
    Name = name;
}

}  // namespace Velmora
