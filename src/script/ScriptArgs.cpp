#include <cmath>
#include <cstdio>
#include <limits>

#include "core/Numbers.h"
#include "game/Engine.h"
#include "script/LuaControl.h"
#include "script/ScriptApi.h"

namespace Velmora {

StageObjects* CurrentStage(lua_State* L) {
    return EngineOf(L).GetWorld().CurrentObjects();
}

bool ArgString(lua_State* L, int index, std::string& out) {
    // A number is formatted here instead of converted in place by the interpreter:
    // converting allocates, and an allocation that fails (or runs a finalizer that
    // raises) would jump over the caller's frames.
    if (lua_type(L, index) == LUA_TNUMBER) {
        char text[LUAI_MAXNUMBER2STR];
        lua_number2str(text, lua_tonumber(L, index));
        out = text;
        return true;
    }
    if (lua_type(L, index) != LUA_TSTRING) {
        return false;
    }
    size_t length = 0;
    const char* text = lua_tolstring(L, index, &length);
    out.assign(text, length);
    return true;
}

double ArgNumber(lua_State* L, int index) {
    return lua_tonumber(L, index);
}

float ArgFloat(lua_State* L, int index) {
    return static_cast<float>(lua_tonumber(L, index));
}

int ArgInt(lua_State* L, int index) {
    return TruncateToInt(lua_tonumber(L, index));
}

bool ArgFlag(lua_State* L, int index) {
    return lua_toboolean(L, index) != 0;
}

}  // namespace Velmora
