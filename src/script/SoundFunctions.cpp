#include "script/LuaControl.h"
#include "script/ScriptApi.h"

namespace Velmora {

namespace {

const ExportEntry kEntries[] = {
    {nullptr, nullptr},
};

}  // namespace

ExportTable SoundScoreFunctions() {
    return ExportTable{kEntries, 0};
}

}  // namespace Velmora
