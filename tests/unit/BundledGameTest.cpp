// The bundled game declares its pictures by size and its sounds by name in
// GameState.lua, while the files come from the generators in tools/. A regenerated
// picture of another size would be drawn stretched without any error, and a renamed
// sound would fail only when played; these checks catch both before a player does.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TestGame.h"
#include "script/LuaControl.h"

namespace Velmora::Testing {
namespace {

const std::string kDemo = std::string(VELMORA_SOURCE_DIR) + "/demo/";

// Width and height of a picture file, or (0, 0) when it does not load.
std::pair<int, int> PictureSize(const std::string& path) {
    Platform::Image image;
    return Platform::LoadImageRgba(path, image) ? std::pair{image.Width, image.Height}
                                                : std::pair{0, 0};
}

// Runs the demo's OnGameCreate with the engine's functions replaced by recorders:
// every other exported name is a no-op, so the stage is never entered.
class BundledGameTest : public EngineTest {
protected:
    void SetUp() override {
        std::filesystem::current_path(kDemo);
        RunLua(R"(
            Pictures, Sounds = {}, {}
            function Res_AddSprite(name, file, w, h)
                Pictures[#Pictures + 1] = { name = name, file = file, w = w, h = h, cols = 1, rows = 1 }
            end
            function Res_AddAniSprite(name, file, w, h, cols, rows)
                Pictures[#Pictures + 1] = { name = name, file = file, w = w, h = h, cols = cols, rows = rows }
            end
            function Sound_Add(name) Sounds[#Sounds + 1] = name end
            setmetatable(_G, { __index = function(_, key)
                if type(key) == "string" and key:match("^%u%a+_%u") then return function() end end
            end })
            dofile("res/script/GameState.lua")
            OnGameCreate()
            setmetatable(_G, nil)
        )");
    }
    void TearDown() override {
        std::filesystem::current_path(game_.Root());
        EngineTest::TearDown();
    }
};

TEST_F(BundledGameTest, PicturesMatchTheirFilesAndSoundsAreInTheSoundFolder) {
    lua_getglobal(L(), "Pictures");
    const int count = static_cast<int>(lua_objlen(L(), -1));
    EXPECT_GT(count, 30);
    for (int i = 1; i <= count; ++i) {
        lua_rawgeti(L(), -1, i);
        auto field = [&](const char* key) {
            lua_getfield(L(), -1, key);
            const int value = static_cast<int>(lua_tonumber(L(), -1));
            lua_pop(L(), 1);
            return value;
        };
        const int w = field("w"), h = field("h"), cols = field("cols"), rows = field("rows");
        lua_getfield(L(), -1, "file");
        const std::string file = lua_tostring(L(), -1);
        lua_pop(L(), 2);
        const std::pair<int, int> size = PictureSize(kDemo + file);
        EXPECT_EQ(w * cols, size.first) << file;
        EXPECT_EQ(h * rows, size.second) << file;
        // Centred on whole pixels, odd sides would put texel edges on pixel centres.
        EXPECT_EQ(0, w % 2 + h % 2) << file << " has an odd cell side";
    }
    lua_pop(L(), 1);

    lua_getglobal(L(), "Sounds");
    EXPECT_GT(lua_objlen(L(), -1), 10u);
    for (int i = 1; i <= static_cast<int>(lua_objlen(L(), -1)); ++i) {
        lua_rawgeti(L(), -1, i);
        const std::string name = lua_tostring(L(), -1);
        lua_pop(L(), 1);
        EXPECT_TRUE(std::filesystem::is_regular_file(kDemo + "res/sound/" + name)) << name;
    }
    lua_pop(L(), 1);
}

}  // namespace
}  // namespace Velmora::Testing
