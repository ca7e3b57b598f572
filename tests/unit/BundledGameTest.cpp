// The bundled game declares its pictures by size in GameState.lua, while the files come
// from the generators in tools/. A regenerated picture of another size would be drawn
// stretched without any error (a missing file or sound stops the demo playthrough).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "TestGame.h"
#include "script/LuaControl.h"

namespace Velmora::Testing {
namespace {

class BundledGameTest : public EngineTest {
protected:
    void TearDown() override {
        std::filesystem::current_path(game_.Root());
        EngineTest::TearDown();
    }
};

TEST_F(BundledGameTest, PicturesMatchTheirDeclaredSizes) {
    const std::string demo = std::string(VELMORA_SOURCE_DIR) + "/demo/";
    std::filesystem::current_path(demo);
    // OnGameCreate with the declarations recorded; every other exported name is a
    // no-op, so the stage is never entered.
    RunLua(R"(
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
        dofile("res/script/GameState.lua")
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
