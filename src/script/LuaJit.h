#pragma once
// What a LuaJIT build does so that games see what they see on Lua 5.1: the same
// libraries, the same random numbers for a seed, the same tracebacks.
#include <lua.hpp>

#include <string>

namespace Velmora {

#ifdef VELMORA_LUAJIT
// Writes a C function LuaJIT shows by its address as Lua 5.1 shows it, "[C]: ?".
void NameUnnamedFunctions(std::string& traceback);
// Hides LuaJIT's own libraries and gives math.random and math.randomseed Lua 5.1's
// behaviour on the C library's generator.
void HideLuaJitLibraries(lua_State* L);
#endif

}  // namespace Velmora
