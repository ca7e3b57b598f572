#include <cmath>
#include <limits>

#include "script/ScriptApi.h"

namespace Velmora {

bool ArgString(lua_State* L, int index, std::string& out) {
    size_t length = 0;
    const char* text = lua_tolstring(L, index, &length);
    if (text == nullptr) {
        return false;
    }
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
    const double value = lua_tonumber(L, index);
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

bool ArgFlag(lua_State* L, int index) {
    return lua_toboolean(L, index) != 0;
}

}  // namespace Velmora
