#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "TestGame.h"
#include "script/ScriptApi.h"

namespace Velmora::Testing {
namespace {

class LuaControlTest : public EngineTest {
protected:
    int Top() { return lua_gettop(L()); }
    // A file an hour old: files changed moments ago are never kept, their times being unsure.
    void WriteOld(const std::string& path, const std::string& content) {
        game_.Write(path, content);
        std::filesystem::last_write_time(
            game_.Root() / path,
            std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    }
    // Runs code and returns its error text ("" when it ran).
    std::string LuaError(const std::string& code) {
        if (luaL_dostring(L(), code.c_str()) == 0) {
            return "";
        }
        std::string error = lua_tostring(L(), -1);
        lua_pop(L(), 1);
        return error;
    }
};

// Failed reads are seen in the broken games; here, conversions and the stack.
TEST_F(LuaControlTest, FieldReadsConvertDefaultAndLeaveTheStackAsFound) {
    game_.Write("Info.lua", "Info = { Text = '12', Frac = 2.5 }\nreturn 1, 2, 3");
    lua_pushnumber(L(), 42);  // something of the caller's
    EXPECT_EQ(12.0f, lua()->GetNumber("Text", "Info", "Info.lua"));
    EXPECT_EQ("2.5", lua()->GetString("Frac", "Info.lua"));
    EXPECT_EQ(0.0f, lua()->GetNumber("Missing", "Info", "Info.lua"));
    EXPECT_EQ("null", lua()->GetString("Missing", "Info.lua"));
    EXPECT_THROW(lua()->SelectFunction("Missing"), LuaException);
    lua_pushboolean(L(), 1);
    EXPECT_EQ("null", lua()->PopString());
    ASSERT_EQ(1, Top());
    EXPECT_EQ(42.0, lua_tonumber(L(), 1));
}

int ThrowsEngineException(lua_State*) {
    throw Exception("FMOD error! (23) File not found. \n");
}

// An engine exception the script caught itself must be forgotten (uncaught: sound_errors).
TEST_F(LuaControlTest, ACaughtEngineExceptionIsForgotten) {
    lua_pushlightuserdata(L(), lua());  // exported functions know their host
    lua_pushcclosure(L(), ExportedFunction<ThrowsEngineException>, 1);
    lua_setglobal(L(), "Engine");
    game_.Write("calls.lua",
                "function Swallow() ok = pcall(Engine) end\n"
                "function Later() error('later') end");
    lua()->DoFile("calls.lua");
    lua()->SelectFunction("Swallow");
    lua()->CallFunction(0);
    lua()->SelectFunction("Later");
    EXPECT_THROW_TEXT(lua()->CallFunction(0), LuaException,
                      "LuaControl::CallFunction(): calls.lua:2: later");
    EXPECT_EQ(0, Top());
}

TEST_F(LuaControlTest, KeptChunksRunLikeFreshOnesAndChangedFilesAreCompiledAgain) {
    WriteOld("Info.lua", "runs = (runs or 0) + 1\nInfo = { Runs = runs }\nsetfenv(1, {})\n");
    for (int i = 0; i < 5; ++i) {
        lua()->DoFile("Info.lua");
    }
    // One compile; every run starts from the globals, whatever environment the last one set.
    EXPECT_EQ(5.0, GlobalNumber("runs"));
    EXPECT_EQ(6.0f, lua()->GetNumber("Runs", "Info", "Info.lua"));
    EXPECT_EQ(1, lua()->Compiles());
    // Another program's edit of the same size is seen a millisecond after the last look.
    WriteOld("Info.lua", "value = 1");
    lua()->DoFile("Info.lua");
    WriteOld("Info.lua", "value = 2");
    std::filesystem::last_write_time(
        game_.Root() / "Info.lua",
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(2));
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    lua()->DoFile("Info.lua");
    EXPECT_EQ(2.0, GlobalNumber("value"));
    // The game's own writes (in place, renamed over, removed) are seen by the next run.
    RunLua("local f = io.open('Info.lua', 'w') f:write('value = 3') f:close()");
    lua()->DoFile("Info.lua");
    EXPECT_EQ(3.0, GlobalNumber("value"));
    WriteOld("Info.lua", "value = 4");
    lua()->DoFile("Info.lua");
    WriteOld("next.lua", "value = 5");
    RunLua("assert(os.rename('next.lua', 'Info.lua'))");
    lua()->DoFile("Info.lua");
    EXPECT_EQ(5.0, GlobalNumber("value"));
    RunLua("assert(os.remove('Info.lua'))");
    EXPECT_THROW(lua()->DoFile("Info.lua"), LuaException);
    EXPECT_EQ(0, Top());
    lua()->SetChunkCache(false);
    WriteOld("Info.lua", "value = 1");
    const int before = lua()->Compiles();
    for (int i = 0; i < 3; ++i) {
        lua()->DoFile("Info.lua");
    }
    EXPECT_EQ(before + 3, lua()->Compiles()) << "without the cache every run compiles";
}

TEST_F(LuaControlTest, WatchedLibraryFunctionsBehaveAsBefore) {
    // Argument errors still name the function as the script called it.
    EXPECT_NE(std::string::npos, LuaError("io.open()").find("bad argument #1 to 'open'"));
    EXPECT_NE(std::string::npos,
              LuaError("local f = io.tmpfile() f:write({})").find("bad argument #1 to 'write'"));
    EXPECT_NE(std::string::npos, LuaError("os.remove()").find("bad argument #1 to 'remove'"));
    // Files opened through the wrappers close the way their kind needs.
    EXPECT_EQ("", LuaError("local p = assert(io.popen('echo piped')) piped = p:read('*l') "
                           "assert(p:close())"));
    EXPECT_EQ("piped", GlobalString("piped"));
    EXPECT_EQ("", LuaError("io.output('out.txt') io.write('x') io.close() io.output(io.stdout)"));
    EXPECT_TRUE(std::filesystem::exists(game_.Root() / "out.txt"));
    // Whichever interpreter runs them, scripts see Lua 5.1's libraries only.
    EXPECT_EQ("", LuaError("assert(not jit and not bit and next(package.preload) == nil)"));
    // math.random draws from the generator --seed seeds.
    std::srand(7);
    RunLua("roll = math.random(1000)");
    std::srand(7);
    EXPECT_EQ(std::floor(static_cast<double>(std::rand() % RAND_MAX) / RAND_MAX * 1000) + 1,
              GlobalNumber("roll"));
}

}  // namespace
}  // namespace Velmora::Testing
