#include "world/Stage.h"

#include "script/LuaControl.h"
#include "world/BaseObject.h"

namespace Velmora {

void Stage::Load(const std::string& name) {
    Name = name;
    const std::string path = "res/stage/" + name + "/Info.lua";
    LuaControl* lua = LuaControl::GetInstance();
    lua->DoFile(path);
    lua->SelectFunction("OnStageCreate");
    lua->CallFunction(0);
    Level = TruncateToInt(lua->GetNumber("Level", "Info", path));
}

}  // namespace Velmora
