#pragma once
// Each script file's compiled chunk, kept so that running a file again costs a call
// instead of a parse. A file is compiled again when its modification time, size or
// inode changed, so an edit made while the game runs is seen by the next run.
//
// Asking the file system costs a system call, dearer than the run of a small script,
// so a file looked at less than a millisecond ago is taken as unchanged: another
// program's edit cannot be ordered against the game's runs more finely than that.
// The game's own writes can be, so every function of the io and os libraries that
// writes or runs a command makes the next run of every file look again.
#include <lua.hpp>

#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/FileStamp.h"

namespace Velmora {

class ChunkCache {
public:
    enum class Result { Loaded, Failed, OutOfMemory, Precompiled };

    // Pushes path's chunk, ready to call with the interpreter's globals as its
    // environment. Failed and OutOfMemory leave the message on top (luaL_loadfile's texts);
    // Precompiled pushes nothing: only Lua source is ever run. Without keep the file
    // is compiled whatever is kept, and the result is not kept.
    Result Push(lua_State* L, const std::string& path, bool keep);

    // Makes the interpreter's writing functions (io, file handles, os) tell this cache
    // that files may have changed, and keeps the compiler's protected entry. Call
    // once, after the libraries are open.
    void Attach(lua_State* L);
    // Every file is looked at again on its next run.
    void FilesMayHaveChanged() { ++writes_; }

    // How many times a file was compiled (the rest of the runs reused a chunk).
    long Compiles() const { return compiles_; }

private:
    struct Entry {
        Platform::FileStamp Stamp;
        int Ref = LUA_NOREF;         // the chunk, in the registry
        std::int64_t CheckedAt = 0;  // monotonic nanoseconds
        std::uint64_t CheckedWrites = 0;
    };

    std::unordered_map<std::string, Entry> entries_;
    int loader_ = LUA_NOREF;  // the protected compiler, in the registry
    std::uint64_t writes_ = 0;
    long compiles_ = 0;
};

}  // namespace Velmora
