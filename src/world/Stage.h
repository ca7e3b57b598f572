#pragma once
// A stage: its name, its level and its objects.
#include <memory>
#include <string>

#include "world/StageObjects.h"

namespace Velmora {

class Stage {
public:
    explicit Stage(World& world) : Objects(std::make_unique<StageObjects>(world)), world_(world) {}

    // Runs the stage script's OnStageCreate, then reads its Level.
    void Load(const std::string& name);

    std::unique_ptr<StageObjects> Objects;
    std::string Name;
    int Level = 0;

private:
    World& world_;
};

}  // namespace Velmora
