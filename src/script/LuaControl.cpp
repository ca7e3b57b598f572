#include "script/LuaControl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "script/Handles.h"
#include "script/LuaJit.h"
#include "script/ScriptApi.h"

namespace Velmora {

namespace {

const char* const kFunctionNames[] = {
    "Game_ActiveStage",
    "Game_GetCurStage",
    "Game_RemoveCurStage",
    "Game_SetControlAble",
    "Game_GetControlAble",
    "Game_Exit",
    "Game_GetSystemHandle",
    "Stage_AddObject",
    "Stage_GetObject",
    "Stage_CreateItem",
    "Stage_CreateEffect",
    "Stage_CreateBullet",
    "Stage_AdjustBullet",
    "Stage_GetBullet",
    "Stage_SetScreenPos",
    "Stage_CreateFriend",
    "Obj_SetAction",
    "Obj_GetX",
    "Obj_GetY",
    "Obj_SetX",
    "Obj_SetY",
    "Obj_GetDX",
    "Obj_GetDY",
    "Obj_SetDX",
    "Obj_SetDY",
    "Obj_SetScale",
    "Obj_SetAlpha",
    "Obj_SetAngle",
    "Obj_SetRGB",
    "Obj_SetDirection",
    "Obj_SetAngleDXDY",
    "Obj_GetStep",
    "Obj_SetStep",
    "Obj_SetBeginTime",
    "Obj_SetActionTime",
    "Obj_SetIntervalTime",
    "Obj_GetSpeed",
    "Obj_SetSpeed",
    "Obj_GetHP",
    "Obj_SetHP",
    "Obj_Delete",
    "Obj_GetHero",
    "Obj_GetDirectionX",
    "Obj_GetDirectionY",
    "Obj_PlayAni",
    "Obj_StopAni",
    "Obj_SetCustom",
    "Obj_GetCustom",
    "Obj_GetHandle",
    "Res_AddSprite",
    "Res_AddAniSprite",
    "Res_AddAni",
    "Res_SetDefaultAniSpeed",
    "Res_SetFrameAniSpeed",
    "Sound_Add",
    "Sound_Play",
    "Sound_FadeIn",
    "Sound_FadeOut",
    "Sound_Stop",
    "ScoreBoard_SetScore",
    // Added to the first sixty, which keep their order: held keys, the stage clock,
    // pause, an object's kind and picture, the objects of a kind, text, a save folder.
    "Key_IsDown",
    "Game_GetStageTime",
    "Game_SetPause",
    "Game_GetPause",
    "Obj_GetType",
    "Obj_SetSprite",
    "Stage_GetObjects",
    "Res_AddFont",
    "Res_AddBitmapFont",
    "Obj_SetText",
    "Game_GetSaveDir",
};

// Marks the failure "the global is nothing that has fields", as opposed to an error
// that a script raised while it was read.
const char kNotIndexable = 0;

struct FieldRequest {
    const std::string* Table;
    const std::string* Key;  // null: the global itself
};

// Pushes the field Key of the global Table (or the global alone). The global may be
// missing or of any type, and both lookups may run a script's metamethods (a strict
// global table, an Info whose __index raises): it runs protected, see CallHelper.
int ReadField(lua_State* L) {
    const auto* request = static_cast<const FieldRequest*>(lua_touserdata(L, 1));
    lua_pushlstring(L, request->Table->data(), request->Table->size());
    lua_gettable(L, LUA_GLOBALSINDEX);
    if (request->Key == nullptr) {
        return 1;
    }
    if (!lua_istable(L, -1)) {
        if (lua_getmetatable(L, -1) == 0) {
            lua_pushlightuserdata(L, const_cast<char*>(&kNotIndexable));
            return lua_error(L);
        }
        lua_pop(L, 1);
    }
    // A dotted key reads into nested tables (Option.Gamepad.A); a missing or
    // non-table step reads as nil.
    const std::string& key = *request->Key;
    for (std::size_t start = 0;;) {
        const std::size_t dot = std::min(key.find('.', start), key.size());
        lua_pushlstring(L, key.data() + start, dot - start);
        lua_gettable(L, -2);
        if (dot == key.size()) {
            return 1;
        }
        if (!lua_istable(L, -1)) {
            lua_pushnil(L);
            return 1;
        }
        start = dot + 1;
    }
}

struct KeysRequest {
    const std::string* Table;
    std::vector<std::string>* Keys;
};

// The text keys of the global Table as it stands, when it is a table.
int ReadKeys(lua_State* L) {
    const auto* request = static_cast<const KeysRequest*>(lua_touserdata(L, 1));
    lua_pushlstring(L, request->Table->data(), request->Table->size());
    lua_rawget(L, LUA_GLOBALSINDEX);
    if (!lua_istable(L, -1)) {
        return 0;
    }
    for (lua_pushnil(L); lua_next(L, -2) != 0; lua_pop(L, 1)) {
        if (lua_type(L, -2) == LUA_TSTRING) {
            std::size_t length = 0;
            const char* key = lua_tolstring(L, -2, &length);
            try {
                request->Keys->emplace_back(key, length);
            } catch (const std::exception&) {
                return 0;  // no room for more: the ones read so far
            }
        }
    }
    return 0;
}

int CollectAll(lua_State* L) {
    lua_gc(L, LUA_GCCOLLECT, 0);
    return 0;
}

// Keeps a C function in the registry, so that calling it later allocates nothing
// outside the protected call.
int KeepHelper(lua_State* L, lua_CFunction helper) {
    lua_pushcfunction(L, helper);
    return luaL_ref(L, LUA_REGISTRYINDEX);
}

// The value on top as text without converting it in place: converting a number
// allocates, and the allocation may fail or run a finalizer that raises.
std::string ValueText(lua_State* L, int index) {
    if (lua_type(L, index) == LUA_TNUMBER) {
        char text[LUAI_MAXNUMBER2STR];
        lua_number2str(text, lua_tonumber(L, index));
        return text;
    }
    size_t length = 0;
    const char* text =
        lua_type(L, index) == LUA_TSTRING ? lua_tolstring(L, index, &length) : nullptr;
    return text != nullptr ? std::string(text, length) : "null";
}

// The end of the message for a field that could not be read.
std::string FieldFailure(lua_State* L, const std::string& table) {
    if (lua_touserdata(L, -1) == &kNotIndexable) {
        return table + " is not a table.";
    }
    return ValueText(L, -1);
}

int Panic(lua_State* L) {
    // Only reached if an error escapes every protected call: say what it was before
    // the interpreter ends the process.
    std::fprintf(stderr, "velmora: the script interpreter failed: %s\n", ValueText(L, -1).c_str());
    return 0;
}

// How many instructions a script runs between two looks at the watchdog's clock.
constexpr int kWatchdogInstructions = 10000;

}  // namespace

LuaControl::LuaControl() {
#ifdef VELMORA_LUAJIT
    // LuaJIT keeps its objects where its 32-bit references reach them, which only its
    // own allocator guarantees (without GC64 it refuses lua_newstate on x86-64). The
    // budget is therefore put in front of that allocator, counting from what the state
    // holds already, and is the same in every build of it.
    state_ = luaL_newstate();
    budget_.Next = lua_getallocf(state_, &budget_.NextData);
    budget_.Used = static_cast<std::size_t>(lua_gc(state_, LUA_GCCOUNT, 0)) * 1024 +
                   static_cast<std::size_t>(lua_gc(state_, LUA_GCCOUNTB, 0));
    lua_setallocf(state_, Allocate, &budget_);
#else
    state_ = lua_newstate(Allocate, &budget_);
#endif
    lua_atpanic(state_, Panic);
    luaL_openlibs(state_);
#ifdef VELMORA_LUAJIT
    HideLuaJitLibraries(state_);
#endif
    // Scripts print progress and checks; each line must reach a reader at once.
    lua_getglobal(state_, "io");
    lua_getfield(state_, -1, "stdout");
    lua_getfield(state_, -1, "setvbuf");
    lua_pushvalue(state_, -2);
    lua_pushstring(state_, "line");
    lua_pcall(state_, 2, 0, 0);
    lua_settop(state_, 0);
    fieldHelper_ = KeepHelper(state_, ReadField);
    lua_getglobal(state_, "debug");
    lua_getfield(state_, -1, "traceback");
    tracebackRef_ = luaL_ref(state_, LUA_REGISTRYINDEX);
    lua_pop(state_, 1);
    lua_pushlightuserdata(state_, this);
    lua_pushcclosure(state_, NoteTraceback, 1);
    noteTracebackRef_ = luaL_ref(state_, LUA_REGISTRYINDEX);
    collectHelper_ = KeepHelper(state_, CollectAll);
    lua_pushliteral(state_, "C stack overflow");  // kept: raising it allocates nothing
    overflowRef_ = luaL_ref(state_, LUA_REGISTRYINDEX);
    chunks_.Attach(state_);
    SetTimeout(10.0);
}

LuaControl::~LuaControl() {
    lua_close(state_);
}

namespace {

// The C library's realloc for large blocks, small ones from their lists; a block that
// changes between the two is copied. Null, with the block untouched, when memory runs
// out; only then can a large block shrinking into a small one fail, and the interpreter
// raises its memory error as for any other block. The interpreter gives the exact old
// size of every block it passes.
void* Resize(SmallBlocks& blocks, void* block, std::size_t oldSize, std::size_t newSize) {
    const bool wasSmall = block != nullptr && SmallBlocks::Fits(oldSize);
    const bool small = SmallBlocks::Fits(newSize);
    if (!wasSmall && !small) {
        return std::realloc(block, newSize);
    }
    if (wasSmall && small && SmallBlocks::SameClass(oldSize, newSize)) {
        return block;
    }
    void* moved = small ? blocks.Take(newSize) : std::malloc(newSize);
    if (moved != nullptr && block != nullptr) {
        std::memcpy(moved, block, std::min(oldSize, newSize));
        if (wasSmall) {
            blocks.Give(block, oldSize);
        } else {
            std::free(block);
        }
    }
    return moved;
}

}  // namespace

void* LuaControl::Allocate(void* budget, void* block, std::size_t oldSize, std::size_t newSize) {
    auto* b = static_cast<Budget*>(budget);
    if (newSize == 0) {
        if (b->Next != nullptr) {
            b->Next(b->NextData, block, oldSize, 0);
        } else if (block != nullptr && SmallBlocks::Fits(oldSize)) {
            b->Blocks.Give(block, oldSize);
        } else {
            std::free(block);
        }
        b->Used -= oldSize;
        return nullptr;
    }
    // Only growth is refused: the interpreter counts on shrinking never failing.
    if (newSize > oldSize && b->Limit != 0 && b->Used - oldSize + newSize > b->Limit) {
        return nullptr;
    }
    void* grown = b->Next != nullptr ? b->Next(b->NextData, block, oldSize, newSize)
                                     : Resize(b->Blocks, block, oldSize, newSize);
    if (grown != nullptr) {
        b->Used = b->Used - oldSize + newSize;
    }
    return grown;
}

void LuaControl::SetTimeout(double seconds) {
    const bool on = seconds > 0.0;
    budget_.Timeout = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(on ? seconds : 0.0));
    // Coroutines take the hook of the thread that makes them, so it is set before any
    // script runs.
    lua_sethook(state_, on ? Watchdog : nullptr, on ? LUA_MASKCOUNT : 0, kWatchdogInstructions);
#ifdef VELMORA_LUAJIT
    // Machine code compiled from a hot loop never calls the hook, so a script stuck in
    // such a loop would never be stopped: the compiler only runs without a time limit.
    // Code compiled before is dropped first, since turning the compiler off keeps it.
    luaJIT_setmode(state_, 0, LUAJIT_MODE_ENGINE | LUAJIT_MODE_FLUSH);
    luaJIT_setmode(state_, 0, LUAJIT_MODE_ENGINE | (on ? LUAJIT_MODE_OFF : LUAJIT_MODE_ON));
#endif
}

void LuaControl::Watchdog(lua_State* L, lua_Debug*) {
    void* budget = nullptr;
    lua_getallocf(L, &budget);
    Budget* b = static_cast<Budget*>(budget);
    if (!b->Watching) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (!b->Started) {
        b->Started = true;
        b->Deadline = now + b->Timeout;
    }
    if (now < b->Deadline) {
        return;
    }
    // From now on every instruction fails until the host call ends, so a script that
    // catches the error with pcall in a loop cannot keep the engine waiting.
    if (!b->Expired) {
        b->Expired = true;
        lua_sethook(L, Watchdog, LUA_MASKCOUNT, 1);
    }
    lua_Debug where{};
    if (lua_getstack(L, 0, &where) != 0 && lua_getinfo(L, "Sl", &where) != 0 &&
        where.currentline > 0) {
        lua_pushfstring(L, "%s:%d: ", where.short_src, where.currentline);
    } else {
        lua_pushliteral(L, "");
    }
    lua_pushfstring(L, "the script ran longer than %f seconds without returning (--script-timeout)",
                    std::chrono::duration<double>(b->Timeout).count());
    lua_concat(L, 2);
    lua_error(L);
}

const char* const* LuaControl::FunctionNames(int* count) {
    *count = static_cast<int>(sizeof(kFunctionNames) / sizeof(kFunctionNames[0]));
    return kFunctionNames;
}

void LuaControl::RegisterFunctions(Engine& engine) {
    engine_ = &engine;
    std::map<std::string, lua_CFunction> available;
    for (ExportTable table :
         {GameStageFunctions(), ObjectFunctions(), ResourceFunctions(), SoundScoreFunctions()}) {
        for (int i = 0; i < table.Count; ++i) {
            available[table.Entries[i].Name] = table.Entries[i].Function;
        }
    }
    for (const char* name : kFunctionNames) {
        auto found = available.find(name);
        if (found == available.end()) {
            continue;
        }
        lua_pushlightuserdata(state_, this);
        lua_pushcclosure(state_, found->second, 1);
        lua_setfield(state_, LUA_GLOBALSINDEX, name);
    }
}

void LuaControl::KeepException(const Exception& e, bool isLua) {
    const auto* lua = dynamic_cast<const LuaException*>(&e);
    keptContext_ = lua != nullptr ? lua->Context() : "";
    kept_ = std::make_unique<Exception>(e);
    keptIsLua_ = isLua;
    keptText_ = e.GetMessageText();
}

const char* LuaControl::KeptMessage() const {
    return keptText_.c_str();
}

void LuaControl::ThrowFailure(const std::string& prefix, const std::string& suffix) {
    // An engine exception raised inside an exported function reaches the caller as
    // itself; any other error (or one a script caught and rethrew with other text)
    // becomes the host's own message.
    const bool fromKept = kept_ != nullptr && lua_type(state_, -1) == LUA_TSTRING &&
                          keptText_ == lua_tostring(state_, -1);
    std::string error = PopString();
    std::unique_ptr<Exception> kept = std::move(kept_);
    const bool keptIsLua = keptIsLua_;
    keptText_.clear();
    // A failure from deeper down keeps where it happened, and when it has no traceback
    // (a file that would not load) gains this call's, which shows where it was asked
    // for; one of this call (an engine error in a function the script called, too) is
    // placed here.
    std::string context = Context();
    if (fromKept && keptContext_.find("stack traceback:") != std::string::npos) {
        context = std::move(keptContext_);
    } else if (fromKept) {
        context = keptContext_ + context;
    }
    keptContext_.clear();
    if (fromKept) {
        if (keptIsLua) {
            throw LuaException(kept->GetMessageText(), context);
        }
        throw Exception(kept->GetMessageText());
    }
    throw LuaException(prefix + error + suffix, context);
}

void LuaControl::WarnOfBorrowedCallback(const std::string& path, const std::string& name) {
    // Every file shares the globals, so a file without the callback runs the one the
    // file before it left. Games may do so on purpose; a misspelt name does it by
    // mistake, so it is said once per file and callback.
    if (!lua_isfunction(state_, -1) || lua_iscfunction(state_, -1)) {
        return;
    }
    lua_Debug where{};
    lua_pushvalue(state_, -1);
    lua_getinfo(state_, ">S", &where);
    // Compared in place: this runs before every callback.
    const char* from = where.source;
    if (from != nullptr && from[0] == '@' && from[1] != '\0' && path.compare(from + 1) != 0 &&
        warned_.insert(path + '\n' + name).second && Warn) {
        Warn(path + " defines no " + name + "; the one from " + (from + 1) + " runs instead");
    }
}

std::string LuaControl::Context() const {
    std::string where = running_.File != nullptr ? *running_.File : "the scripts";
    if (running_.Callback != nullptr) {
        where += ", " + *running_.Callback;
    }
    return "  while running " + where + "\n" + traceback_;
}

int LuaControl::NoteTraceback(lua_State* L) {
    auto* host = static_cast<LuaControl*>(lua_touserdata(L, lua_upvalueindex(1)));
    host->traceback_.clear();
    // Only a text can carry a traceback; debug.traceback returns it with the
    // traceback after it, and the text itself is dropped again.
    if (lua_type(L, 1) == LUA_TSTRING) {
        lua_rawgeti(L, LUA_REGISTRYINDEX, host->tracebackRef_);
        lua_pushvalue(L, 1);
        lua_pushinteger(L, 2);  // from the function that raised the error
        if (lua_pcall(L, 2, 1, 0) == 0 && lua_type(L, -1) == LUA_TSTRING) {
            std::size_t length = 0;
            const char* text = lua_tolstring(L, -1, &length);
            // The text, then a line break before the traceback.
            const std::size_t skip = std::min(lua_objlen(L, 1) + 1, length);
            try {
                host->traceback_.assign(text + skip, length - skip);
                host->traceback_ += '\n';
#ifdef VELMORA_LUAJIT
                NameUnnamedFunctions(host->traceback_);
#endif
            } catch (const std::exception&) {
                host->traceback_.clear();  // no room: the error goes without it
            }
        }
    }
    lua_settop(L, 1);
    return 1;
}

void LuaControl::DoFile(const std::string& path) {
    const Running running(*this, path);
    const int top = lua_gettop(state_);
    // Compiling takes room on the interpreter's C stack for every level of syntax, so a
    // script that calls into the engine ever deeper runs out of room in the compiler
    // first, with the compiler's message. Deep down, files are compiled every time so
    // that such a failure comes where and as it always did.
    const ChunkCache::Result loaded =
        chunks_.Push(state_, path, keepChunks_ && depth_ < kCachedDepth);
    if (loaded == ChunkCache::Result::Precompiled) {
        throw LuaException("LuaControl::DoFile(): luaL_dofile failed. ErrorMessage from Lua: '" +
                           path + ": precompiled chunks are not loaded, only Lua source'");
    }
    if (loaded == ChunkCache::Result::OutOfMemory) {
        CollectGarbage();
    }
    if (loaded != ChunkCache::Result::Loaded || ProtectedCall(0, LUA_MULTRET) != 0) {
        ThrowFailure("LuaControl::DoFile(): luaL_dofile failed. ErrorMessage from Lua: '", "'");
    }
    kept_.reset();
    lua_settop(state_, top);
}

int LuaControl::ProtectedCall(int argumentCount, int results) {
#ifdef VELMORA_LUAJIT
    // Lua 5.1 refuses C calls nested deeper than 200; LuaJIT does not count them, and
    // a script that enters the engine which runs it again (a stage entering itself)
    // costs engine frames on the C stack at every level: it would run out of that
    // stack, a crash, before the interpreter's own stack was full.
    if (depth_ >= kMaxNestedCalls) {
        lua_pop(state_, argumentCount + 1);
        lua_rawgeti(state_, LUA_REGISTRYINDEX, overflowRef_);
        return LUA_ERRRUN;
    }
#endif
    ++runs_;
    if (depth_++ == 0) {
        budget_.Started = false;
        budget_.Watching = budget_.Timeout.count() > 0;
    }
    // The handler, kept in the registry, goes below the function and its arguments.
    const int handler = lua_gettop(state_) - argumentCount;
    lua_rawgeti(state_, LUA_REGISTRYINDEX, noteTracebackRef_);
    lua_insert(state_, handler);
    traceback_.clear();
    const int status = lua_pcall(state_, argumentCount, results, handler);
    ++runs_;
    lua_remove(state_, handler);
    if (--depth_ == 0) {
        budget_.Watching = false;
        if (budget_.Expired) {
            budget_.Expired = false;
            lua_sethook(state_, Watchdog, LUA_MASKCOUNT, kWatchdogInstructions);
        }
    }
    if (status == LUA_ERRMEM) {
        CollectGarbage();
    }
    return status;
}

int LuaControl::CallHelper(int ref, void* request, int results) {
    lua_rawgeti(state_, LUA_REGISTRYINDEX, ref);
    lua_pushlightuserdata(state_, request);
    return ProtectedCall(1, results);
}

void LuaControl::CollectGarbage() {
    ++runs_;  // finalizers are scripts too
    lua_rawgeti(state_, LUA_REGISTRYINDEX, collectHelper_);
    lua_pushlightuserdata(state_, nullptr);
    if (lua_pcall(state_, 1, 0, 0) != 0) {
        lua_pop(state_, 1);  // a finalizer's error: the collection itself is done
    }
}

void LuaControl::SelectFunction(const std::string& name) {
    FieldRequest request{&name, nullptr};
    if (CallHelper(fieldHelper_, &request, 1) != 0) {
        ThrowFailure("LuaControl::SelectFunction(): Function '" + name + "' does not exist. ", "");
    }
    if (lua_isnil(state_, -1)) {
        lua_pop(state_, 1);
        throw LuaException("LuaControl::SelectFunction(): Function '" + name + "' does not exist.",
                           Context());
    }
}

void LuaControl::PushGlobal(const std::string& name) {
    // A lookup that fails fails the call it was for, as a missing function does.
    FieldRequest request{&name, nullptr};
    if (CallHelper(fieldHelper_, &request, 1) != 0) {
        ThrowFailure("LuaControl::CallFunction(): ", "");
    }
}

void LuaControl::CallFunction(int argumentCount) {
    if (ProtectedCall(argumentCount, 0) != 0) {
        ThrowFailure("LuaControl::CallFunction(): ", "");
    }
    kept_.reset();
}

std::string LuaControl::PopString() {
    std::string result = ValueText(state_, -1);
    lua_pop(state_, 1);
    return result;
}

void LuaControl::PushField(const std::string& table, const std::string& key,
                           const std::string& path, const char* reader) {
    DoFile(path);
    FieldRequest request{&table, &key};
    if (CallHelper(fieldHelper_, &request, 1) != 0) {
        const std::string why = FieldFailure(state_, table);
        lua_pop(state_, 1);
        kept_.reset();
        throw LuaException(std::string(reader) + ": cannot read " + table + "." + key + " from '" +
                           path + "': " + why);
    }
}

float LuaControl::Number(const std::string& path, const std::string& table,
                         const std::string& key) {
    return GetNumber(key, table, path);
}

std::string LuaControl::Text(const std::string& path, const std::string& key) {
    return GetString(key, path);
}

void LuaControl::Call(const std::string& path, const std::string& name, bool required,
                      std::initializer_list<ScriptArg> args) {
    DoFile(path);
    const Running running(*this, path, &name);
    if (required) {
        SelectFunction(name);
    } else {
        PushGlobal(name);
    }
    WarnOfBorrowedCallback(path, name);
    // Handles and numbers allocate nothing: pushing them cannot raise.
    for (const ScriptArg& arg : args) {
        if (arg.IsObject) {
            PushHandle(state_, arg.Object);
        } else {
            lua_pushnumber(state_, arg.Number);
        }
    }
    CallFunction(static_cast<int>(args.size()));
}

std::vector<std::string> LuaControl::TableKeys(const std::string& table) {
    std::vector<std::string> keys;
    KeysRequest request{&table, &keys};
    lua_pushcfunction(state_, ReadKeys);
    lua_pushlightuserdata(state_, &request);
    if (ProtectedCall(1, 0) != 0) {
        lua_pop(state_, 1);
    }
    return keys;
}

bool LuaControl::Defines(const std::string& name) {
    FieldRequest request{&name, nullptr};
    const bool read = CallHelper(fieldHelper_, &request, 1) == 0;
    const bool defined = read && lua_isfunction(state_, -1);
    lua_pop(state_, 1);
    kept_.reset();
    return defined;
}

float LuaControl::GetNumber(const std::string& key, const std::string& table,
                            const std::string& path) {
    PushField(table, key, path, "LuaControl::GetNumber()");
    const double value = lua_tonumber(state_, -1);
    lua_pop(state_, 1);
    return static_cast<float>(value);
}

std::string LuaControl::GetString(const std::string& key, const std::string& path) {
    PushField("Info", key, path, "LuaControl::GetString()");
    return PopString();
}

}  // namespace Velmora
