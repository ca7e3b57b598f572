#include "world/Stage.h"

#include "world/BaseObject.h"
#include "world/ScriptPort.h"
#include "world/World.h"

namespace Velmora {

void Stage::Load(const std::string& name) {
    Name = name;
    const std::string path = "res/stage/" + name + "/Info.lua";
    ScriptPort& scripts = world_.Scripts();
    scripts.Call(path, "OnStageCreate", true, {});
    Level = TruncateToInt(scripts.Number(path, "Info", "Level"));
}

}  // namespace Velmora
