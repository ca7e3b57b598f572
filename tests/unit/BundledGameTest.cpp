// The bundled game declares its pictures by size in GameState.lua, while the files come
// from the generators in tools/. A regenerated picture of another size would be drawn
// stretched without any error (a missing file or sound stops the demo playthrough).
#include <gtest/gtest.h>

#include <filesystem>
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
        Pictures = {}
        function Res_AddSprite(name, file, w, h) Res_AddAniSprite(name, file, w, h, 1, 1) end
        function Res_AddAniSprite(name, file, w, h, cols, rows)
            Pictures[#Pictures + 1] = { file, w, h, cols, rows }
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
        int value[5] = {};
        for (int k = 2; k <= 5; ++k) {
            lua_rawgeti(L(), -1, k);
            value[k - 1] = static_cast<int>(lua_tonumber(L(), -1));
            lua_pop(L(), 1);
        }
        lua_rawgeti(L(), -1, 1);
        const std::string file = lua_tostring(L(), -1);
        lua_pop(L(), 2);
        Platform::Image image;
        ASSERT_TRUE(Platform::LoadImageRgba(demo + file, image)) << file;
        EXPECT_EQ(value[1] * value[3], image.Width) << file;
        EXPECT_EQ(value[2] * value[4], image.Height) << file;
        // Centred on whole pixels, odd sides would put texel edges on pixel centres.
        EXPECT_EQ(0, value[1] % 2 + value[2] % 2) << file << " has an odd cell side";
    }
    lua_pop(L(), 1);
}

}  // namespace
}  // namespace Velmora::Testing
