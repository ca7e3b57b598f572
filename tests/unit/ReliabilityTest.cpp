// Faults that scripts and files once provoked, checked for what the engine does
// instead. The inputs that made it abort, hang or leak are also replayed by the file
// fuzzer's corpus; these cases pin down what a script sees.
#include <fcntl.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "WorldFixture.h"
#include "platform/SoundFile.h"
#include "resource/ResourceMgr.h"

namespace Velmora::Testing {
namespace {

// Should a load wait on one of the FIFOs after all, a writer comes by every two
// seconds and leaves at once, so the load reads an empty file and the test fails
// instead of hanging.
class FifoWatchdog {
public:
    explicit FifoWatchdog(std::vector<std::string> paths)
        : thread_([this, paths] {
              std::unique_lock<std::mutex> lock(mutex_);
              while (!wake_.wait_for(lock, std::chrono::seconds(2), [this] { return done_; })) {
                  for (const std::string& path : paths) {
                      const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK);
                      if (fd >= 0) {  // only succeeds while someone has it open for reading
                          blocked_ = true;
                          close(fd);
                      }
                  }
              }
          }) {}
    ~FifoWatchdog() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
    bool Blocked() const { return blocked_; }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::atomic<bool> blocked_{false};
    std::thread thread_;
};

class ScriptHostReliability : public EngineTest {
protected:
    LuaControl* lua() { return LuaControl::GetInstance(); }
    int Top() { return lua_gettop(L()); }
};

// A damaged precompiled chunk made the interpreter allocate gigabytes and run for
// minutes; chunks for the original platform never loaded here anyway.
TEST_F(ScriptHostReliability, PrecompiledChunksAreRefusedWithTheFileNamed) {
    RunLua("dumped = string.dump(loadstring('Info = { Level = 3 }'))");
    const std::string bytecode = GlobalString("dumped");
    game_.Write("compiled.lua", "#!/usr/bin/lua\n" + bytecode);  // behind a line for the shell
    EXPECT_THROW_TEXT(lua()->GetNumber("Level", "Info", "compiled.lua"), LuaException,
                      "LuaControl::DoFile(): luaL_dofile failed. ErrorMessage from Lua: "
                      "'compiled.lua: precompiled chunks are not loaded, only Lua source'");
    // Source with a first line for the shell still runs.
    game_.Write("source.lua", "#!/usr/bin/lua\nInfo = { Level = 4 }\n");
    EXPECT_EQ(4.0f, lua()->GetNumber("Level", "Info", "source.lua"));
    EXPECT_EQ(0, Top());
}

// A FIFO in place of a game file blocked start-up in open, waiting for a writer that
// never came. Scripts, pictures and sounds fail at once, as files that cannot be read.
TEST_F(ScriptHostReliability, FifosFailLikeUnreadableFiles) {
    const std::vector<std::string> fifos = {"fifo.lua", "fifo.png", "res/sound/fifo.wav"};
    std::filesystem::create_directories("res/sound");
    for (const std::string& path : fifos) {
        ASSERT_EQ(0, mkfifo(path.c_str(), 0600)) << path;
    }
    FifoWatchdog watchdog(fifos);
    EXPECT_THROW_TEXT(lua()->GetNumber("Level", "Info", "fifo.lua"), LuaException,
                      "LuaControl::DoFile(): luaL_dofile failed. ErrorMessage from Lua: "
                      "'cannot open fifo.lua: not a regular file'");
    Platform::Image image;
    EXPECT_FALSE(Platform::LoadImageRgba("fifo.png", image));
    int width = 0;
    int height = 0;
    EXPECT_FALSE(Platform::ReadImageSize("fifo.png", &width, &height));
    double seconds = 0.0;
    EXPECT_EQ(Platform::SOUND_ERR_FILE_NOTFOUND, Platform::ReadSoundLength(fifos[2], &seconds));
    EXPECT_FALSE(watchdog.Blocked());
}

class WorldReliability : public WorldTest {};

// Games that declare their pictures in every stage's OnStageCreate left one record
// (and, on a window, one texture) behind per picture and stage entry.
TEST_F(WorldReliability, RedeclaredPicturesGoOnceNothingShowsThem) {
    Sprite("a", 4, 4);
    Object("plain/p", "{ Sprite = 'a' }");
    Object("mob/m", "{ Type = 2, Name = 'm', Sprite = 'a' }");
    ResourceMgr* resources = ResourceMgr::GetInstance();
    Enter("one", "Stage_AddObject('p', 'plain/p')");
    SpriteRecord* first = resources->GetSprite("a");
    resources->AddSprite("a", "a.png", 4, 4);
    Frame();
    stage()->Draw();
    // The object still shows the first record.
    EXPECT_EQ(1u, resources->DisplacedCount());
    EXPECT_EQ(first, stage()->GetObject("p")->Sprite);
    Enter("two");
    Frame();
    EXPECT_EQ(0u, resources->DisplacedCount());

    // A cached kind's template keeps the record it was loaded with, and so does every
    // object copied from it later.
    Enter("three", "Stage_AddObject('m', 'mob/m')");
    SpriteRecord* shown = stage()->GetObject("m")->Sprite;
    resources->AddSprite("a", "a.png", 4, 4);
    Enter("four", "Stage_AddObject('m', 'mob/m')");
    Frame();
    stage()->Draw();
    EXPECT_EQ(1u, resources->DisplacedCount());
    EXPECT_EQ(shown, stage()->GetObject("m")->Sprite);
}

}  // namespace
}  // namespace Velmora::Testing
