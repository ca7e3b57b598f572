#include "script/ChunkCache.h"

#include <sys/stat.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace Velmora {

namespace {

// Whether luaL_loadfile would read path as a precompiled chunk: after an optional
// first line starting with '#', the chunk begins with the escape that starts the
// signature of Lua's ("\x1bLua") and LuaJIT's ("\x1bLJ") bytecode alike.
// The interpreter does not fully check such chunks, and a damaged one can make it
// run wild or exhaust memory, so only source is accepted.
bool IsPrecompiledChunk(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    int c = std::fgetc(file);
    if (c == '#') {
        while (c != EOF && c != '\n') {
            c = std::fgetc(file);
        }
        c = c == EOF ? EOF : std::fgetc(file);
    }
    std::fclose(file);
    return c == LUA_SIGNATURE[0];
}

std::int64_t MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

constexpr std::int64_t kLookAgainAfter = 1000000;  // nanoseconds

// A library function that may change files, and the cache to tell when it runs. The
// wrapper calls the library's function in its own frame, with that function's
// environment, so that argument errors name the function as the script called it.
struct WriteHook {
    lua_CFunction Library;
    ChunkCache* Cache;
};

int HookedWriter(lua_State* L) {
    auto* hook = static_cast<WriteHook*>(lua_touserdata(L, lua_upvalueindex(1)));
    hook->Cache->FilesMayHaveChanged();
    const int results = hook->Library(L);
    hook->Cache->FilesMayHaveChanged();
    return results;
}

// Replaces the C function table.name, table being an absolute stack index.
void HookWriter(lua_State* L, int table, const char* name, ChunkCache* cache) {
    lua_getfield(L, table, name);
    const lua_CFunction original = lua_tocfunction(L, -1);
    if (original != nullptr) {
        auto* hook = static_cast<WriteHook*>(lua_newuserdata(L, sizeof(WriteHook)));
        *hook = WriteHook{original, cache};
        lua_pushcclosure(L, HookedWriter, 1);
        lua_getfenv(L, -2);
        lua_setfenv(L, -2);
        lua_setfield(L, table, name);
    }
    lua_pop(L, 1);
}

struct LoadRequest {
    const char* Path;
    bool Keep;
    int DropRef;  // an outdated chunk's reference, given back first
    int Ref;      // out: the new chunk's reference when kept
};

// Compiles in a protected call: reading the file allocates, an allocation may fail or
// run a script's finalizer, and such an error must come back as a status rather than
// jump over the engine's frames. Registry references are made here for the same
// reason.
int LoadChunk(lua_State* L) {
    auto* request = static_cast<LoadRequest*>(lua_touserdata(L, 1));
    luaL_unref(L, LUA_REGISTRYINDEX, request->DropRef);
    if (luaL_loadfile(L, request->Path) != 0) {
        return lua_error(L);
    }
    if (request->Keep) {
        lua_pushvalue(L, -1);
        request->Ref = luaL_ref(L, LUA_REGISTRYINDEX);
    }
    return 1;
}

}  // namespace

ChunkCache::Result ChunkCache::Push(lua_State* L, const std::string& path, bool keep) {
    int dropRef = LUA_NOREF;
    if (keep) {
        auto found = entries_.find(path);
        if (found != entries_.end()) {
            Entry& entry = found->second;
            const std::int64_t now = MonotonicNanoseconds();
            bool unchanged =
                entry.CheckedWrites == writes_ && now - entry.CheckedAt < kLookAgainAfter;
            struct stat info {};
            if (!unchanged && stat(path.c_str(), &info) == 0 &&
                entry.Stamp == Platform::FileStamp::Of(info)) {
                unchanged = true;
                entry.CheckedAt = now;
                entry.CheckedWrites = writes_;
            }
            if (unchanged) {
                lua_rawgeti(L, LUA_REGISTRYINDEX, entry.Ref);
                // A chunk may have changed its own environment (setfenv(1, t)); a fresh
                // load would start from the globals again.
                lua_pushvalue(L, LUA_GLOBALSINDEX);
                lua_setfenv(L, -2);
                return Result::Loaded;
            }
            dropRef = entry.Ref;
            entries_.erase(found);
        }
    }
    // Looked at before it is read: a write in between leaves the older figures with the
    // newer chunk, and the next look compiles it once more.
    struct stat info {};
    const bool found = stat(path.c_str(), &info) == 0;
    // Opening a FIFO waits for a writer, forever if none comes, and a device may never
    // end: only regular files are read, and the rest fail in the loader's own words. A
    // missing file is left to the loader.
    if (found && S_ISDIR(info.st_mode)) {
        lua_pushfstring(L, "cannot read %s: %s", path.c_str(), std::strerror(EISDIR));
        return Result::Failed;
    }
    if (found && !S_ISREG(info.st_mode)) {
        lua_pushfstring(L, "cannot open %s: not a regular file", path.c_str());
        return Result::Failed;
    }
    if (IsPrecompiledChunk(path)) {
        return Result::Precompiled;
    }
    ++compiles_;
    const bool kept = keep && found && !Platform::FileStamp::Of(info).Recent();
    const std::int64_t checkedAt = MonotonicNanoseconds();
    LoadRequest request{path.c_str(), kept, dropRef, LUA_NOREF};
    lua_rawgeti(L, LUA_REGISTRYINDEX, loader_);
    lua_pushlightuserdata(L, &request);
    const int status = lua_pcall(L, 1, 1, 0);
    if (status != 0) {
        return status == LUA_ERRMEM ? Result::OutOfMemory : Result::Failed;
    }
    if (kept) {
        entries_[path] = Entry{Platform::FileStamp::Of(info), request.Ref, checkedAt, writes_};
    }
    return Result::Loaded;
}

void ChunkCache::Attach(lua_State* L) {
    lua_pushcfunction(L, LoadChunk);
    loader_ = luaL_ref(L, LUA_REGISTRYINDEX);
    const int top = lua_gettop(L);
    lua_getglobal(L, "io");
    if (lua_istable(L, -1)) {
        for (const char* name : {"close", "flush", "open", "output", "popen", "write"}) {
            HookWriter(L, top + 1, name, this);
        }
    }
    luaL_getmetatable(L, LUA_FILEHANDLE);
    if (lua_istable(L, -1)) {
        for (const char* name : {"close", "flush", "seek", "setvbuf", "write"}) {
            HookWriter(L, top + 2, name, this);
        }
    }
    lua_getglobal(L, "os");
    if (lua_istable(L, -1)) {
        for (const char* name : {"execute", "remove", "rename"}) {
            HookWriter(L, top + 3, name, this);
        }
    }
    lua_settop(L, top);
}

}  // namespace Velmora
