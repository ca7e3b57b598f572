#pragma once
// How world objects reach scripts and come back. A handle is a light userdata whose
// value is the object's serial number, not its address: memory of a removed object is
// soon given to a new one, and a kept handle must then still read as no object. The
// null handle is the light userdata 0. The object passes and callbacks go through
// these often, so they stay inline.
#include <lua.hpp>

#include <cstdint>

#include "game/Engine.h"
#include "script/LuaControl.h"
#include "world/BaseObject.h"

namespace Velmora {

static_assert(sizeof(std::uintptr_t) >= sizeof(std::uint64_t),
              "a light userdata must hold a whole serial number");

// Pushes the object's handle, or the null handle for null.
inline void PushHandle(lua_State* L, const BaseObject* object) {
    const std::uintptr_t serial = object != nullptr ? object->Serial() : 0;
    lua_pushlightuserdata(L, reinterpret_cast<void*>(serial));
}

// The object the value at index names while it exists; null for the null handle, for
// a removed object's handle and for any value that is no handle at all. Only for
// exported functions, whose host knows the world.
inline BaseObject* HandleArg(lua_State* L, int index) {
    if (lua_type(L, index) != LUA_TLIGHTUSERDATA) {
        return nullptr;
    }
    const auto serial = reinterpret_cast<std::uintptr_t>(lua_touserdata(L, index));
    return serial != 0 ? EngineOf(L).GetWorld().FindLive(serial) : nullptr;
}

}  // namespace Velmora
