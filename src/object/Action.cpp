#include "object/Action.h"

namespace Velmora {

Action::Action(std::string name) : Name(std::move(name)) {}

void Action::Update() {}
void Action::Load() {}
void Action::SetBeginTime(int) {}
void Action::SetActTime(int) {}
void Action::SetIntervalTime(int) {}

}  // namespace Velmora
