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

struct Declared {
    std::vector<std::string> Params;     // from the function's own parameter list
    std::vector<std::string> Annotated;  // from the ---@param lines above it
    int Count = 0;
};

std::string ReadSource(const std::string& relative) {
    std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::map<std::string, Declared> DeclaredFunctions(const std::string& text) {
    static const std::regex function(R"(^function\s+([A-Za-z_][A-Za-z0-9_]*)\s*\(([^)]*)\))");
    static const std::regex param(R"(^---@param\s+([A-Za-z_][A-Za-z0-9_]*))");
    static const std::regex word(R"([A-Za-z_][A-Za-z0-9_]*)");
    std::map<std::string, Declared> found;
    std::vector<std::string> pending;
    std::istringstream lines(text);
    std::string line;
    std::smatch m;
    while (std::getline(lines, line)) {
        if (std::regex_search(line, m, param)) {
            pending.push_back(m[1]);
        } else if (std::regex_search(line, m, function)) {
            Declared& d = found[m[1]];
            ++d.Count;
            const std::string list = m[2];
            for (auto it = std::sregex_iterator(list.begin(), list.end(), word);
                 it != std::sregex_iterator(); ++it) {
                d.Params.push_back(it->str());
            }
            d.Annotated = pending;
            pending.clear();
        } else if (line.rfind("---", 0) != 0) {
            pending.clear();  // annotations belong to the function right below them
        }
    }
    return found;
}

class ScriptReferenceTest : public EngineTest {};

TEST_F(ScriptReferenceTest, DefinitionFileDeclaresAndDefinesExactlyTheRegisteredFunctions) {
    const std::string text = ReadSource("docs/velmora.lua");
    ASSERT_FALSE(text.empty()) << "docs/velmora.lua is missing";
    const std::map<std::string, Declared> declared = DeclaredFunctions(text);
    // The language server reads it as Lua; running it must define every name.
    ASSERT_EQ(0, luaL_dostring(L(), text.c_str())) << lua_tostring(L(), -1);

    int count = 0;
    const char* const* names = LuaControl::FunctionNames(&count);
    EXPECT_EQ(60, count);
    const std::set<std::string> registered(names, names + count);
    for (const std::string& name : registered) {
        lua_getglobal(L(), name.c_str());
        EXPECT_TRUE(lua_isfunction(L(), -1)) << name << " is not defined by running the file";
        lua_pop(L(), 1);
        auto it = declared.find(name);
        if (it == declared.end()) {
            ADD_FAILURE() << name << " is registered but not declared";
            continue;
        }
        EXPECT_EQ(1, it->second.Count) << name << " is declared more than once";
        EXPECT_EQ(it->second.Params, it->second.Annotated)
            << name << ": the ---@param lines do not match its parameters";
    }
    for (const auto& entry : declared) {
        EXPECT_TRUE(registered.count(entry.first))
            << entry.first << " is declared but not registered";
    }
}

}  // namespace
}  // namespace Velmora::Testing
