#include "script/LuaControl.h"

#include <map>

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
};

// Marks the failure "the global is nothing that has fields", as opposed to an error
// that a script raised while it was read.
char g_notIndexable;

// Pushes the field named at 2 of the global named at 1, in protected mode: the global
// may be missing or of any type, and both lookups may run a script's metamethods (a
// strict global table, an Info whose __index raises). Indexing a non-table, or such an
// error, outside a protected call would abort the whole process.
int ProtectedField(lua_State* L) {
    lua_pushvalue(L, 1);
    lua_gettable(L, LUA_GLOBALSINDEX);
    if (!lua_istable(L, 3)) {
        if (lua_getmetatable(L, 3) == 0) {
            lua_pushlightuserdata(L, &g_notIndexable);
            return lua_error(L);
        }
        lua_pop(L, 1);
    }
    lua_pushvalue(L, 2);
    lua_gettable(L, 3);
    return 1;
}

// Pushes table.key; false, with the error on top instead, when reading it failed.
bool PushFieldProtected(lua_State* L, const std::string& table, const std::string& key) {
    lua_pushcfunction(L, ProtectedField);
    lua_pushlstring(L, table.data(), table.size());
    lua_pushlstring(L, key.data(), key.size());
    return lua_pcall(L, 2, 1, 0) == 0;
}

// The end of the message for a field that could not be read.
std::string FieldFailure(lua_State* L, const std::string& table) {
    if (lua_touserdata(L, -1) == &g_notIndexable) {
        return table + " is not a table.";
    }
    const char* error = lua_tostring(L, -1);
    return error != nullptr ? error : "null";
}

// Reads the global named by the string on top in protected mode: scripts may give the
// globals a metatable (a "strict" mode that raises an error for every unknown name),
// and such an error outside a protected call would abort the whole process.
int ProtectedGlobal(lua_State* L) {
    lua_gettable(L, LUA_GLOBALSINDEX);
    return 1;
}

// Pushes the global name; false, with the error on top instead, when looking it up
// raised one.
bool PushGlobalProtected(lua_State* L, const std::string& name) {
    lua_pushcfunction(L, ProtectedGlobal);
    lua_pushlstring(L, name.data(), name.size());
    return lua_pcall(L, 1, 1, 0) == 0;
}

}  // namespace

LuaControl::LuaControl() {
    state_ = luaL_newstate();
    luaL_openlibs(state_);
    // Scripts print progress and checks; each line must reach a reader at once.
    lua_getglobal(state_, "io");
    lua_getfield(state_, -1, "stdout");
    lua_getfield(state_, -1, "setvbuf");
    lua_pushvalue(state_, -2);
    lua_pushstring(state_, "line");
    lua_pcall(state_, 2, 0, 0);
    lua_settop(state_, 0);
    chunks_.WatchWrites(state_);
}

LuaControl::~LuaControl() {
    lua_close(state_);
}

const char* const* LuaControl::FunctionNames(int* count) {
    *count = static_cast<int>(sizeof(kFunctionNames) / sizeof(kFunctionNames[0]));
    return kFunctionNames;
}

void LuaControl::RegisterFunctions() {
    std::map<std::string, lua_CFunction> available;
    for (ExportTable table :
         {GameStageFunctions(), ObjectFunctions(), ResourceFunctions(), SoundScoreFunctions()}) {
        for (int i = 0; i < table.Count; ++i) {
            available[table.Entries[i].Name] = table.Entries[i].Function;
        }
    }
    registered_.clear();
    for (const char* name : kFunctionNames) {
        auto found = available.find(name);
        if (found == available.end()) {
            continue;
        }
        lua_pushcclosure(state_, found->second, 0);
        lua_setfield(state_, LUA_GLOBALSINDEX, name);
        registered_.push_back(name);
    }
}

void LuaControl::KeepException(const Exception& e, bool isLua) {
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
    if (fromKept) {
        if (keptIsLua) {
            throw LuaException(kept->GetMessageText());
        }
        throw Exception(kept->GetMessageText());
    }
    throw LuaException(prefix + error + suffix);
}

void LuaControl::DoFile(const std::string& path) {
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
    if (loaded == ChunkCache::Result::Failed || ProtectedCall(0, LUA_MULTRET) != 0) {
        ThrowFailure("LuaControl::DoFile(): luaL_dofile failed. ErrorMessage from Lua: '", "'");
    }
    kept_.reset();
    lua_settop(state_, top);
}

int LuaControl::ProtectedCall(int argumentCount, int results) {
    ++depth_;
    const int status = lua_pcall(state_, argumentCount, results, 0);
    --depth_;
    return status;
}

void LuaControl::SelectFunction(const std::string& name) {
    if (!PushGlobalProtected(state_, name)) {
        ThrowFailure("LuaControl::SelectFunction(): Function '" + name + "' does not exist. ", "");
    }
    if (lua_isnil(state_, -1)) {
        lua_pop(state_, 1);
        throw LuaException("LuaControl::SelectFunction(): Function '" + name + "' does not exist.");
    }
}

void LuaControl::PushGlobal(const std::string& name) {
    // A lookup that fails fails the call it was for, as a missing function does.
    if (!PushGlobalProtected(state_, name)) {
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
    std::string result = "null";
    size_t length = 0;
    const char* text = lua_tolstring(state_, -1, &length);
    if (text != nullptr) {
        result.assign(text, length);
    }
    lua_pop(state_, 1);
    return result;
}

float LuaControl::GetNumber(const std::string& key, const std::string& table,
                            const std::string& path) {
    DoFile(path);
    const int top = lua_gettop(state_);
    if (!PushFieldProtected(state_, table, key)) {
        const std::string why = FieldFailure(state_, table);
        lua_settop(state_, top);
        kept_.reset();
        throw LuaException("LuaControl::GetNumber(): cannot read " + table + "." + key + " from '" +
                           path + "': " + why);
    }
    const double value = lua_tonumber(state_, -1);
    lua_settop(state_, top);
    return static_cast<float>(value);
}

std::string LuaControl::GetString(const std::string& key, const std::string& path) {
    DoFile(path);
    const int top = lua_gettop(state_);
    if (!PushFieldProtected(state_, "Info", key)) {
        const std::string why = FieldFailure(state_, "Info");
        lua_settop(state_, top);
        kept_.reset();
        throw LuaException("LuaControl::GetString(): cannot read Info." + key + " from '" + path +
                           "': " + why);
    }
    std::string result = PopString();
    lua_settop(state_, top);
    return result;
}

}  // namespace Velmora
