// Files of the repository that the engine's own code does not check: the editor
// definitions for authors and the bundled game's pictures.
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "TestGame.h"

namespace Velmora::Testing {
namespace {

class RepositoryFilesTest : public EngineTest {};

// Authors rely on docs/velmora.lua for completion: a stale file teaches them functions
// that do not exist, or the wrong parameters.
TEST_F(RepositoryFilesTest, DefinitionFileDeclaresExactlyTheRegisteredFunctions) {
    std::istringstream text(ReadFile(std::string(VELMORA_SOURCE_DIR) + "/docs/velmora.lua"));
    ASSERT_FALSE(text.str().empty()) << "docs/velmora.lua is missing";
    ASSERT_EQ(0, luaL_dostring(L(), text.str().c_str())) << lua_tostring(L(), -1);
    // Each declared function's own parameters, and the ---@param lines right above it.
    static const std::regex function(R"(^function\s+(\w+)\s*\(([^)]*)\))");
    static const std::regex param(R"(^---@param\s+(\w+))");
    static const std::regex word(R"(\w+)");
    std::map<std::string, std::vector<std::string>> params, annotated;
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
    EXPECT_EQ(71, count);
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

// The demo declares its pictures' sizes while tools/ generates the files: a regenerated
// picture of another size would be drawn stretched without any error.
TEST_F(RepositoryFilesTest, BundledGamePicturesMatchTheirDeclaredSizes) {
    const std::string demo = std::string(VELMORA_SOURCE_DIR) + "/demo/";
    // OnGameCreate with the declarations recorded and every other exported function a no-op.
    RunLua("demo = '" + demo + "'" + R"(
        for name in pairs(_G) do
            if type(name) == "string" and name:match("^%u%a+_%u") then _G[name] = nil end
        end
        Pictures = {}
        function Res_AddSprite(name, file, w, h) Res_AddAniSprite(name, file, w, h, 1, 1) end
        function Res_AddAniSprite(name, file, w, h, cols, rows)
            Pictures[#Pictures + 1] = table.concat({ file, w, h, cols, rows }, " ")
        end
        setmetatable(_G, { __index = function(_, key)
            if type(key) == "string" and key:match("^%u%a+_%u") then return function() end end
        end })
        dofile(demo .. "res/script/GameState.lua")
        OnGameCreate()
        setmetatable(_G, nil)
    )");
    lua_getglobal(L(), "Pictures");
    const int count = static_cast<int>(lua_objlen(L(), -1));
    EXPECT_GT(count, 30);
    for (int i = 1; i <= count; ++i) {
        lua_rawgeti(L(), -1, i);
        std::istringstream fields(lua_tostring(L(), -1));
        lua_pop(L(), 1);
        std::string file;
        int w = 0, h = 0, cols = 0, rows = 0;
        fields >> file >> w >> h >> cols >> rows;
        Platform::Image image;
        ASSERT_TRUE(Platform::LoadImageRgba(demo + file, image)) << file;
        EXPECT_EQ(w * cols, image.Width) << file;
        EXPECT_EQ(h * rows, image.Height) << file;
        // Centred on whole pixels, odd sides would put texel edges on pixel centres.
        EXPECT_EQ(0, w % 2 + h % 2) << file << " has an odd cell side";
    }
    lua_pop(L(), 1);
}

}  // namespace
}  // namespace Velmora::Testing
