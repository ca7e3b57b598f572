#include "script/LuaJit.h"

// Only a LuaJIT build has anything here.
#ifdef VELMORA_LUAJIT

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace Velmora {

// LuaJIT shows a C function it has no name for by its address, which changes from run
// to run; Lua 5.1 shows "?", which keeps a report the same between runs.
void NameUnnamedFunctions(std::string& traceback) {
    const std::string address = "[C]: at 0x";
    for (std::size_t at = traceback.find(address); at != std::string::npos;
         at = traceback.find(address, at + 1)) {
        std::size_t end = at + address.size();
        while (end < traceback.size() &&
               std::isxdigit(static_cast<unsigned char>(traceback[end]))) {
            ++end;
        }
        traceback.replace(at, end - at, "[C]: ?");
    }
}

namespace {

// Lua 5.1's math.random draws from the C library's generator, which --seed seeds (and
// the engine draws from too); LuaJIT's has its own, the same in every run. These are
// Lua 5.1's own two functions, so a seed gives the same numbers on both interpreters.
int RandomNumber(lua_State* L) {
    const lua_Number r = static_cast<lua_Number>(std::rand() % RAND_MAX) / RAND_MAX;
    switch (lua_gettop(L)) {
        case 0:
            lua_pushnumber(L, r);
            break;
        case 1: {
            const int u = luaL_checkint(L, 1);
            luaL_argcheck(L, 1 <= u, 1, "interval is empty");
            lua_pushnumber(L, std::floor(r * u) + 1);
            break;
        }
        case 2: {
            const int l = luaL_checkint(L, 1);
            const int u = luaL_checkint(L, 2);
            luaL_argcheck(L, l <= u, 2, "interval is empty");
            lua_pushnumber(L, std::floor(r * (u - l + 1)) + l);
            break;
        }
        default:
            return luaL_error(L, "wrong number of arguments");
    }
    return 1;
}

int RandomSeed(lua_State* L) {
    std::srand(static_cast<unsigned>(luaL_checkint(L, 1)));
    return 0;
}

}  // namespace

// Scripts see the libraries of Lua 5.1 and nothing more, whichever interpreter runs
// them: a game written against LuaJIT's extras (bit, jit, ffi, the jit.* modules)
// would fail on the other build, and jit.on() would undo the watchdog's setting.
void HideLuaJitLibraries(lua_State* L) {
    for (const char* name : {"bit", "jit"}) {
        lua_pushnil(L);
        lua_setglobal(L, name);
    }
    lua_getglobal(L, "package");
    lua_getfield(L, -1, "loaded");
    for (const char* name : {"bit", "jit"}) {
        lua_pushnil(L);
        lua_setfield(L, -2, name);
    }
    lua_pop(L, 1);
    lua_newtable(L);  // Lua 5.1 starts with nothing preloaded
    lua_setfield(L, -2, "preload");
    lua_pop(L, 1);
    lua_getglobal(L, "math");
    lua_pushcfunction(L, RandomNumber);
    lua_setfield(L, -2, "random");
    lua_pushcfunction(L, RandomSeed);
    lua_setfield(L, -2, "randomseed");
    lua_pop(L, 1);
}

}  // namespace Velmora

#endif
