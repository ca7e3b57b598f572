#include "stage/Stage.h"

namespace Velmora {

Stage::~Stage() = default;
void Stage::Update() {}
void Stage::Draw() {}

}  // namespace Velmora
