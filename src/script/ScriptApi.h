#pragma once
// The exported functions, one table per family (one source file each). The host
// registers them in its fixed order of names; see LuaControl::RegisterFunctions.
#include <lua.hpp>

#include <string>

namespace Velmora {

struct ExportEntry {
    const char* Name;
    lua_CFunction Function;
};

struct ExportTable {
    const ExportEntry* Entries;
    int Count;
};

ExportTable GameStageFunctions();   // Game_*, Stage_*, Key_*
ExportTable ObjectFunctions();      // Obj_*
ExportTable ResourceFunctions();    // Res_*
ExportTable SoundScoreFunctions();  // Sound_*, ScoreBoard_SetScore

class StageObjects;
// The current stage's objects, or null when no stage is current.
StageObjects* CurrentStage(lua_State* L);

// Argument readers shared by every family, with the interpreter's conversions.
// A string argument is present when it is a string or a number.
bool ArgString(lua_State* L, int index, std::string& out);
float ArgFloat(lua_State* L, int index);
double ArgNumber(lua_State* L, int index);
// Truncated toward zero; NaN and values beyond the int range are clamped, never UB.
int ArgInt(lua_State* L, int index);
bool ArgFlag(lua_State* L, int index);
// Handles are read with HandleArg (script/Handles.h).

}  // namespace Velmora
