#pragma once
// The one Lua 5.1 interpreter of the game (LuaJIT with VELMORA_LUAJIT), and the only way the engine
// talks to scripts. Every script file shares its global environment, so callers run the file that
// defines a callback right before calling it.
#include <lua.hpp>

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/Error.h"
#include "script/ChunkCache.h"
#include "script/SmallBlocks.h"
#include "world/ScriptPort.h"

namespace Velmora {

class Engine;

class LuaControl : public ScriptPort {
public:
    LuaControl();
    ~LuaControl() override;
    LuaControl(const LuaControl&) = delete;
    LuaControl& operator=(const LuaControl&) = delete;

    // ScriptPort: what the world asks of the scripts.
    float Number(const std::string& path, const std::string& table,
                 const std::string& key) override;
    std::string Text(const std::string& path, const std::string& key) override;
    void Call(const std::string& path, const std::string& name, bool required,
              std::initializer_list<ScriptArg> args) override;
    bool Defines(const std::string& name) override;
    std::uint64_t Runs() const override { return runs_; }
    // The text keys of the global table as it stands now (no file runs).
    std::vector<std::string> TableKeys(const std::string& table);

    lua_State* GetState() const { return state_; }

    // The most memory the interpreter may hold; past it a script meets Lua's "not
    // enough memory" error instead of the machine running out. 0: no limit.
    void SetMemoryLimit(std::size_t bytes) { budget_.Limit = bytes; }
    std::size_t MemoryInUse() const { return budget_.Used; }
    // How long one host call (a file run or a callback, with everything it calls)
    // may last before it is stopped with a script error. 0: for ever.
    void SetTimeout(double seconds);

    // Registers the exported functions as globals, in their fixed order; each of them
    // acts on engine.
    void RegisterFunctions(Engine& engine);
    Engine& GetEngine() const { return *engine_; }

    // Runs a script file; values its chunk returns are dropped. The file's compiled
    // chunk is kept and run again while the file is unchanged, unless turned off.
    void DoFile(const std::string& path);
    void SetChunkCache(bool on) { keepChunks_ = on; }
    // How many times DoFile compiled a file.
    long Compiles() const { return chunks_.Compiles(); }
    // Pushes the global function name for CallFunction; throws when it is nil.
    void SelectFunction(const std::string& name);
    // Pushes the global name with no check (the lookups that fail later, in the call).
    void PushGlobal(const std::string& name);
    // Calls the selected function with the argumentCount values pushed after it.
    // The function and its arguments are gone from the stack afterwards.
    void CallFunction(int argumentCount);
    // The top value as text ("null" unless a string or number), removed.
    std::string PopString();
    // Runs path, then reads table.key as a number (0 when absent or not a number).
    float GetNumber(const std::string& key, const std::string& table, const std::string& path);
    // Runs path, then reads Info.key as text ("null" when absent).
    std::string GetString(const std::string& key, const std::string& path);

    // Where warnings about the scripts go (a callback borrowed from another file).
    std::function<void(const std::string&)> Warn;

    // The exception boundary of exported functions: an engine exception caught in an
    // exported function is kept here while the Lua error unwinds the interpreter, and
    // rethrown by the host, same class and text, when the protected call returns.
    void KeepException(const Exception& e, bool isLua);
    const char* KeptMessage() const;

    // The fixed order of the exported functions' names.
    static const char* const* FunctionNames(int* count);

private:
    // The file (and callback) the host runs now, for the context of failures; restores
    // the one before when it goes. It keeps pointers to the caller's strings, so a
    // callback costs no allocation for it.
    struct Place {
        const std::string* File = nullptr;
        const std::string* Callback = nullptr;
    };
    class Running {
    public:
        Running(LuaControl& host, const std::string& file, const std::string* callback = nullptr)
            : host_(host), before_(host.running_) {
            host.running_ = Place{&file, callback};
            host.traceback_.clear();
        }
        ~Running() { host_.running_ = before_; }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

    private:
        LuaControl& host_;
        Place before_;
    };
    // Says when the function on top, about to run as path's callback name, comes
    // from another file.
    void WarnOfBorrowedCallback(const std::string& path, const std::string& name);
    // Where the host is, for a failure: the file and callback it runs, and the
    // traceback of the latest error.
    std::string Context() const;
    // Keeps the traceback of the error it is given, which it returns unchanged.
    static int NoteTraceback(lua_State* L);

    // Throws the kept exception when it caused the failure that left error on top,
    // else a LuaException with prefix + the error text. Pops the error value.
    [[noreturn]] void ThrowFailure(const std::string& prefix, const std::string& suffix);
    // lua_pcall, counting how deep the host's calls are nested and starting the
    // watchdog's clock for the outermost one. After a memory error the garbage is
    // collected, so the report and the rest of the frame find room again.
    int ProtectedCall(int argumentCount, int results);
    // Pushes the host's helper function kept under ref, then calls it protected with
    // request as its one argument. The helpers do every interpreter operation that
    // can raise an error (allocation runs the collector, and with it finalizers that
    // scripts wrote), so such an error comes back as a status instead of jumping
    // over the engine's C++ frames.
    int CallHelper(int ref, void* request, int results);
    // Runs path, then pushes table.key; reader names the caller in the failure.
    void PushField(const std::string& table, const std::string& key, const std::string& path,
                   const char* reader);
    void CollectGarbage();

    // What the allocator and the watchdog share; the allocator's user data, so the
    // instruction-count hook finds it without a global.
    struct Budget {
        std::size_t Used = 0;
        std::size_t Limit = 0;
        // The interpreter's own allocator, which every request is passed on to when it
        // has one (LuaJIT: see the constructor); else the C library's.
        lua_Alloc Next = nullptr;
        void* NextData = nullptr;
        // Without an allocator of the interpreter's own, small blocks come from here.
        SmallBlocks Blocks;
        std::chrono::steady_clock::duration Timeout{};
        // Set by the first watchdog call of a host call, not by the call itself: most
        // callbacks end long before the hook first runs, and need no clock at all.
        std::chrono::steady_clock::time_point Deadline{};
        bool Started = false;
        bool Watching = false;
        bool Expired = false;  // the deadline passed during this host call
    };
    static void* Allocate(void* budget, void* block, std::size_t oldSize, std::size_t newSize);
    static void Watchdog(lua_State* L, lua_Debug* where);

    // Host calls nested deeper than this compile their files every time.
    static constexpr int kCachedDepth = 40;
    // Host calls nested deeper than this fail as Lua 5.1's nested C calls do (LuaJIT).
    static constexpr int kMaxNestedCalls = 200;

    Budget budget_;
    lua_State* state_ = nullptr;
    Engine* engine_ = nullptr;
    int fieldHelper_ = LUA_NOREF;
    int collectHelper_ = LUA_NOREF;
    int overflowRef_ = LUA_NOREF;  // the text of a too deep nesting of host calls
    ChunkCache chunks_;
    bool keepChunks_ = true;
    int depth_ = 0;
    std::uint64_t runs_ = 0;
    std::unique_ptr<Exception> kept_;
    bool keptIsLua_ = false;
    std::string keptText_;
    std::string keptContext_;
    std::set<std::string> warned_;
    int tracebackRef_ = LUA_NOREF;  // debug.traceback as the interpreter started
    int noteTracebackRef_ = LUA_NOREF;
    Place running_;
    std::string traceback_;  // of the latest error raised in a host call
};

// Wraps an exported function's body so that engine exceptions become Lua errors at
// the boundary. The wrapper's own frame holds no object with a destructor when it
// raises the error, since lua_error does not unwind C++ frames.
// The host an exported function was registered by: its first upvalue.
inline LuaControl& HostOf(lua_State* L) {
    return *static_cast<LuaControl*>(lua_touserdata(L, lua_upvalueindex(1)));
}
inline Engine& EngineOf(lua_State* L) {
    return HostOf(L).GetEngine();
}

template <int (*Body)(lua_State*)>
int ExportedFunction(lua_State* L) {
    LuaControl& host = HostOf(L);
    try {
        return Body(L);
    } catch (const LuaException& e) {
        host.KeepException(e, true);
    } catch (const Exception& e) {
        host.KeepException(e, false);
    } catch (const std::exception& e) {
        host.KeepException(Exception(e.what()), false);
    }
    lua_pushstring(L, host.KeptMessage());
    return lua_error(L);
}

}  // namespace Velmora
