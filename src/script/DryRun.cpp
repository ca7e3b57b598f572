#include "script/DryRun.h"

#include <cstdio>
#include <cstdlib>

#include "core/Error.h"
#include "game/Engine.h"
#include "platform/RecordingRenderer.h"
#include "script/LuaControl.h"

namespace Velmora {

struct Inspection::Watcher {
    std::string Name;
    std::function<bool(const WatchedCall&)> Before;
    std::function<void(const WatchedCall&)> After;
    WatchedCall Last;  // the call in progress; watched functions call no scripts
};

namespace {

// Reads the call without any interpreter operation that can raise an error, so that
// no C++ object is alive when one does.
bool BeforeWatched(lua_State* L, Inspection::Watcher& watcher) noexcept {
    try {
        WatchedCall call;
        call.Function = watcher.Name;
        for (int i = 1; i <= lua_gettop(L); ++i) {
            if (lua_type(L, i) == LUA_TSTRING) {
                std::size_t length = 0;
                const char* text = lua_tolstring(L, i, &length);
                call.Args.emplace_back(std::string(text, length));
            } else if (lua_type(L, i) == LUA_TNUMBER) {
                char text[64];
                std::snprintf(text, sizeof(text), "%.17g", lua_tonumber(L, i));
                call.Args.emplace_back(text);
            } else {
                call.Args.emplace_back(std::nullopt);
            }
        }
        lua_Debug where{};
        if (lua_getstack(L, 1, &where) != 0 && lua_getinfo(L, "Sl", &where) != 0 &&
            where.source != nullptr && where.source[0] == '@') {
            call.File = where.source + 1;
            call.Line = where.currentline;
        }
        watcher.Last = std::move(call);
        return watcher.Before(watcher.Last);
    } catch (...) {
        return true;  // out of memory in the checker: the call runs unwatched
    }
}

void AfterWatched(Inspection::Watcher& watcher) noexcept {
    try {
        watcher.After(watcher.Last);
    } catch (...) {
    }
}

// No C++ object lives in this frame: the watched function may raise a Lua error.
int WatchedFunction(lua_State* L) {
    auto* watcher = static_cast<Inspection::Watcher*>(lua_touserdata(L, lua_upvalueindex(1)));
    if (!BeforeWatched(L, *watcher)) {
        return 0;
    }
    const int arguments = lua_gettop(L);
    lua_pushvalue(L, lua_upvalueindex(2));
    lua_insert(L, 1);
    lua_call(L, arguments, LUA_MULTRET);
    AfterWatched(*watcher);
    return lua_gettop(L);
}

void ReadTable(lua_State* L, int index, std::vector<TableEntry>& entries, int depth) {
    lua_pushnil(L);
    while (lua_next(L, index) != 0) {
        if (lua_type(L, -2) == LUA_TSTRING) {
            TableEntry entry;
            entry.Key = lua_tostring(L, -2);
            switch (lua_type(L, -1)) {
                case LUA_TNUMBER:
                    entry.Type = TableEntry::Kind::Number;
                    entry.Number = lua_tonumber(L, -1);
                    break;
                case LUA_TSTRING:
                    entry.Type = TableEntry::Kind::String;
                    entry.Text = lua_tostring(L, -1);
                    break;
                case LUA_TBOOLEAN:
                    entry.Type = TableEntry::Kind::Boolean;
                    break;
                case LUA_TTABLE:
                    entry.Type = TableEntry::Kind::Table;
                    if (depth < 1) {
                        ReadTable(L, lua_gettop(L), entry.Fields, depth + 1);
                    }
                    break;
                default:
                    break;
            }
            entries.push_back(std::move(entry));
        }
        lua_pop(L, 1);
    }
}

// A game that ends the program while it loads would end the check with it.
int RefuseExit(lua_State* L) {
    return luaL_error(L, "os.exit is not run while the game is checked");
}

}  // namespace

Inspection::Inspection(double timeoutSeconds) {
    auto host = std::make_unique<LuaControl>();
    host->SetTimeout(timeoutSeconds);
    host->SetMemoryLimit(std::size_t{256} << 20);
    host_ = host.get();
    engine_ = std::make_unique<Engine>(std::move(host));
    host_->RegisterFunctions(*engine_);
    // Before any script ran: nothing here can meet a script's metatable.
    lua_State* L = host_->GetState();
    lua_getglobal(L, "os");
    if (lua_istable(L, -1)) {
        lua_pushcfunction(L, RefuseExit);
        lua_setfield(L, -2, "exit");
    }
    lua_pop(L, 1);
}

Inspection::~Inspection() = default;

std::optional<std::pair<int, std::string>> Inspection::SyntaxError(const std::string& path) {
    lua_State* L = luaL_newstate();
    if (L == nullptr) {
        return std::nullopt;
    }
    std::optional<std::pair<int, std::string>> found;
    if (luaL_loadfile(L, path.c_str()) == LUA_ERRSYNTAX) {
        const char* text = lua_tostring(L, -1);
        std::string message = text != nullptr ? text : "";
        // "path:line: message"
        const std::string prefix = path + ":";
        int line = 0;
        if (message.compare(0, prefix.size(), prefix) == 0) {
            char* end = nullptr;
            line = static_cast<int>(std::strtol(message.c_str() + prefix.size(), &end, 10));
            if (end != nullptr && end[0] == ':' && end[1] == ' ') {
                message = end + 2;
            }
        }
        found = std::make_pair(line, message);
    }
    lua_close(L);
    return found;
}

void Inspection::Watch(const std::vector<std::string>& names,
                       std::function<bool(const WatchedCall&)> before,
                       std::function<void(const WatchedCall&)> after) {
    lua_State* L = host_->GetState();
    for (const std::string& name : names) {
        auto watcher = std::make_unique<Watcher>();
        watcher->Name = name;
        watcher->Before = before;
        watcher->After = after;
        // Before any script ran: nothing here can meet a script's metatable.
        lua_pushlightuserdata(L, watcher.get());
        lua_getglobal(L, name.c_str());
        lua_pushcclosure(L, WatchedFunction, 2);
        lua_setglobal(L, name.c_str());
        watchers_.push_back(std::move(watcher));
    }
}

namespace {

// What the protected steps of a look share: the names to clear or fetch, and where
// the fetched values were kept.
struct LookRequest {
    const std::string* Table;
    const std::vector<std::string>* Functions;
    int Ref = LUA_NOREF;
};

// Raw: a script's metatable on the globals must not run here.
int ClearGlobals(lua_State* L) {
    const auto* request = static_cast<const LookRequest*>(lua_touserdata(L, 1));
    for (const std::string& name : *request->Functions) {
        lua_pushstring(L, name.c_str());
        lua_pushnil(L);
        lua_rawset(L, LUA_GLOBALSINDEX);
    }
    lua_pushstring(L, request->Table->c_str());
    lua_pushnil(L);
    lua_rawset(L, LUA_GLOBALSINDEX);
    return 0;
}

// Keeps the functions' values (1..n) and the table's (n + 1) in one registry entry,
// so that reading them afterwards allocates nothing.
int FetchGlobals(lua_State* L) {
    auto* request = static_cast<LookRequest*>(lua_touserdata(L, 1));
    const int count = static_cast<int>(request->Functions->size());
    lua_createtable(L, count + 1, 0);
    for (int i = 0; i < count; ++i) {
        lua_pushstring(L, (*request->Functions)[static_cast<std::size_t>(i)].c_str());
        lua_rawget(L, LUA_GLOBALSINDEX);
        lua_rawseti(L, -2, i + 1);
    }
    lua_pushstring(L, request->Table->c_str());
    lua_rawget(L, LUA_GLOBALSINDEX);
    lua_rawseti(L, -2, count + 1);
    request->Ref = luaL_ref(L, LUA_REGISTRYINDEX);
    return 0;
}

}  // namespace

FileLook Inspection::Look(const std::string& path, const std::string& table,
                          const std::vector<std::string>& functions) {
    lua_State* L = host_->GetState();
    LookRequest request{&table, &functions};
    if (lua_cpcall(L, ClearGlobals, &request) != 0) {
        lua_pop(L, 1);
        throw LuaException("not enough memory");
    }
    host_->DoFile(path);
    if (lua_cpcall(L, FetchGlobals, &request) != 0) {
        lua_pop(L, 1);
        throw LuaException("not enough memory");
    }
    const int top = lua_gettop(L);
    lua_rawgeti(L, LUA_REGISTRYINDEX, request.Ref);
    FileLook look;
    for (std::size_t i = 0; i < functions.size(); ++i) {
        lua_rawgeti(L, top + 1, static_cast<int>(i) + 1);
        if (lua_isfunction(L, -1)) {
            look.Defined.push_back(functions[i]);
        }
        lua_pop(L, 1);
    }
    lua_rawgeti(L, top + 1, static_cast<int>(functions.size()) + 1);
    if (lua_istable(L, -1)) {
        look.HasTable = true;
        ReadTable(L, lua_gettop(L), look.Entries, 0);
    }
    lua_settop(L, top);
    luaL_unref(L, LUA_REGISTRYINDEX, request.Ref);
    return look;
}

void Inspection::Start(int width, int height) {
    engine_->UseRenderer(std::make_unique<Platform::RecordingRenderer>(width, height));
    engine_->Start(0u, false);
}

void Inspection::EnterStage(const std::string& name) {
    engine_->GetWorld().ActiveStage(name);
}

}  // namespace Velmora
