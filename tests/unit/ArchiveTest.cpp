// A packed game is unpacked into the player's folders: an entry must never land outside
// the game's own folder, whatever the archive says.
#include <zip.h>

#include "TestGame.h"
#include "platform/Archive.h"

namespace Velmora::Testing {
namespace {

class ArchiveTest : public EngineTest {
protected:
    // An archive of the given entries, each holding its own name.
    std::string Zip(const std::vector<std::string>& names) {
        const std::string path = (game_.Root() / "game.zip").string();
        int code = 0;
        zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
        for (const std::string& name : names) {
            zip_source_t* source = zip_source_buffer(archive, name.data(), name.size(), 0);
            zip_file_add(archive, name.c_str(), source, 0);
        }
        EXPECT_EQ(0, zip_close(archive));
        return path;
    }
};

TEST_F(ArchiveTest, EntriesOutsideTheGameAreRefusedBeforeAnythingIsWritten) {
    std::string error;
    for (const char* escape : {"../escape.txt", "res/../../escape.txt", "/tmp/escape.txt"}) {
        const std::string zip = Zip({"setup.lua", escape});
        EXPECT_FALSE(Platform::ExtractZip(zip, (game_.Root() / "out").string(), &error)) << escape;
        EXPECT_NE(std::string::npos, error.find("outside the game")) << error;
        EXPECT_FALSE(std::filesystem::exists(game_.Root() / "out" / "setup.lua")) << escape;
    }
    EXPECT_FALSE(std::filesystem::exists(game_.Root() / "escape.txt"));
    // An archive that stays inside unpacks whole, folders included.
    const std::string zip = Zip({"setup.lua", "res/script/GameState.lua"});
    ASSERT_TRUE(Platform::ExtractZip(zip, (game_.Root() / "out").string(), &error)) << error;
    EXPECT_EQ("res/script/GameState.lua",
              ReadFile(game_.Root() / "out" / "res/script/GameState.lua"));
}

}  // namespace
}  // namespace Velmora::Testing
