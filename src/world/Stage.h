#pragma once
// The current stage: its name, its level and its object container.
#include <memory>
#include <string>

#include "stage/Stage.h"

namespace Velmora {

class StageSlot {
public:
    StageSlot() : Objects(std::make_unique<Stage>()) {}

    // Runs the stage script's OnStageCreate, then reads its Level.
    void Load(const std::string& name);

    std::unique_ptr<Stage> Objects;
    std::string Name;
    int Level = 0;
};

}  // namespace Velmora
