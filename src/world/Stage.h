#pragma once
// The current stage: its name, its level and its object container.
#include <memory>
#include <string>

#include "world/StageObjects.h"

namespace Velmora {

class Stage {
public:
    Stage() : Objects(std::make_unique<StageObjects>()) {}

    // Runs the stage script's OnStageCreate, then reads its Level.
    void Load(const std::string& name);

    std::unique_ptr<StageObjects> Objects;
    std::string Name;
    int Level = 0;
};

}  // namespace Velmora
