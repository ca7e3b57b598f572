// The editor definitions in docs/velmora.lua must describe exactly the functions the
// engine registers, with annotations that match each signature: authors rely on them
// for completion, and a stale file teaches them functions that do not exist.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "TestGame.h"
#include "script/LuaControl.h"

namespace Velmora::Testing {
namespace {

class ScriptReferenceTest : public EngineTest {};

TEST_F(ScriptReferenceTest, DefinitionFileDeclaresExactlyTheRegisteredFunctions) {
    std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/docs/velmora.lua", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    ASSERT_FALSE(text.str().empty()) << "docs/velmora.lua is missing";
    // The language server reads it as Lua.
    ASSERT_EQ(0, luaL_dostring(L(), text.str().c_str())) << lua_tostring(L(), -1);

    // Each declared function's own parameters, and the ---@param lines right above it.
    static const std::regex function(R"(^function\s+(\w+)\s*\(([^)]*)\))");
    static const std::regex param(R"(^---@param\s+(\w+))");
    static const std::regex word(R"(\w+)");
    std::map<std::string, std::vector<std::string>> params;
    std::map<std::string, std::vector<std::string>> annotated;
    std::vector<std::string> pending;
    std::string line;
    std::smatch m;
    while (std::getline(text, line)) {
        if (std::regex_search(line, m, param)) {
            pending.push_back(m[1]);
        } else if (std::regex_search(line, m, function)) {
            EXPECT_EQ(0u, params.count(m[1])) << m[1] << " is declared more than once";
            const std::string list = m[2];
            std::vector<std::string>& names = params[m[1]];
            for (auto it = std::sregex_iterator(list.begin(), list.end(), word);
                 it != std::sregex_iterator(); ++it) {
                names.push_back(it->str());
            }
            annotated[m[1]] = pending;
            pending.clear();
        } else if (line.rfind("---", 0) != 0) {
            pending.clear();
        }
    }

    int count = 0;
    const char* const* names = LuaControl::FunctionNames(&count);
    EXPECT_EQ(67, count);
    const std::set<std::string> registered(names, names + count);
    for (const std::string& name : registered) {
        EXPECT_TRUE(params.count(name)) << name << " is registered but not declared";
        EXPECT_EQ(params[name], annotated[name])
            << name << ": the ---@param lines do not match its parameters";
    }
    for (const auto& entry : params) {
        EXPECT_TRUE(registered.count(entry.first))
            << entry.first << " is declared but not registered";
    }
}

}  // namespace
}  // namespace Velmora::Testing
