#include <SDL.h>

#include "TestGame.h"
#include "app/CommandLine.h"
#include "core/VirtualKeys.h"
#include "platform/Window.h"

namespace Velmora::Testing {
namespace {

using Platform::WindowEvent;

// Alt and F10 open the menu; F11 toggles full screen yet stays the game's key.
TEST(KeyTranslation, MenuKeysAreMarkedAndUnknownKeysDropped) {
    const struct {
        SDL_Keycode key;
        Uint16 mod;
        bool down;
        int vk;
        bool menu;
    } keys[] = {
        {SDLK_LEFT, KMOD_NONE, true, VK_LEFT, false}, {SDLK_LEFT, KMOD_NONE, false, VK_LEFT, false},
        {SDLK_x, KMOD_LALT, true, 'X', true},         {SDLK_F10, KMOD_NONE, true, VK_F1 + 9, true},
        {SDLK_F9, KMOD_NONE, true, VK_F1 + 8, false}, {SDLK_a, KMOD_LSHIFT, true, 'A', false},
        {SDLK_F11, KMOD_NONE, true, 122, false}};
    WindowEvent event;
    for (const auto& k : keys) {
        ASSERT_TRUE(Platform::TranslateKeyEvent(k.key, k.mod, k.down, event)) << k.key;
        EXPECT_TRUE(event.Type ==
                        (k.down ? WindowEvent::Kind::KeyDown : WindowEvent::Kind::KeyUp) &&
                    event.Vk == k.vk && event.MenuKey == k.menu)
            << k.key;
    }
    EXPECT_FALSE(Platform::TranslateKeyEvent(SDLK_UNKNOWN, KMOD_NONE, true, event));
    // Alt+Enter only switches.
    EXPECT_TRUE(Platform::IsFullScreenToggle(SDLK_F11, KMOD_NONE) &&
                Platform::IsFullScreenToggle(SDLK_RETURN, KMOD_RALT) &&
                !Platform::IsFullScreenToggle(SDLK_RETURN, KMOD_NONE));
}

TEST(CommandLine, ReadsOptionsAndRejectsBadUse) {
    auto parse = [](std::vector<const char*> args, Options& options) {
        args.insert(args.begin(), "velmora");
        return ParseCommandLine(static_cast<int>(args.size()), args.data(), options);
    };
    // The scenarios run with the other options.
    Options options;
    ASSERT_EQ(ParseResult::Kind::Run, parse({"/tmp", "--stats", "--scale", "16"}, options).Outcome);
    EXPECT_TRUE(options.Stats && options.Scale == 16);
    const std::vector<const char*> bad[] = {
        {"--frames"},     {"--frames", "ten"}, {"--frames", "-1"},  {"--dt", "nan"},
        {"--seed", "-3"}, {"--bogus"},         {"/no/such/folder"}, {"/tmp", "/tmp"},
        {"--input"},      {"--scale", "0"},    {"--scale", "17"},   {"--scale", "2.5"},
    };
    for (const auto& args : bad) {
        Options o;
        const ParseResult result = parse(args, o);
        EXPECT_EQ(ParseResult::Kind::Error, result.Outcome) << args[0];
        EXPECT_FALSE(result.Message.empty());
    }
    // Only a regular file is a replay: a folder read as no input, /dev/zero as endless
    // input until memory ran out, and a file beyond 256 MiB is not read at all.
    TempGame game;
    game.Write("big.input", "");
    std::filesystem::resize_file(game.Root() / "big.input", (std::uintmax_t{256} << 20) + 1);
    for (const char* file : {".", "/dev/zero", "big.input"}) {
        Options o;
        const ParseResult result = parse({"/tmp", "--input", file}, o);
        EXPECT_EQ(ParseResult::Kind::Error, result.Outcome) << file;
        EXPECT_NE(std::string::npos, result.Message.find(file[0] == 'b' ? "256 MiB" : "regular"))
            << result.Message;
    }
    // Every positive time stays positive as a float, however small.
    ASSERT_EQ(ParseResult::Kind::Run, parse({"/tmp", "--dt", "1e-320"}, options).Outcome);
    EXPECT_GT(*options.Dt, 0.0f);
    Options o;
    EXPECT_EQ(ParseResult::Kind::Help, parse({"--help"}, o).Outcome);
    EXPECT_EQ(ParseResult::Kind::Version, parse({"--version"}, o).Outcome);
}

// An installed or unpacked tree plays its own copy of the bundled game wherever it lies;
// only a folder with setup.lua counts, and without one beside the program the configured
// install location is used.
TEST(CommandLine, FindsTheBundledGameBesideTheProgramElseWhereInstalled) {
    TempGame tree;
    const std::string root = tree.Root().string();
    const std::string exe = root + "/usr/bin/velmora";
    const std::string relative = "../share/velmora/demo";
    tree.Write("usr/bin/velmora", "");
    tree.Write("usr/share/velmora/demo/res/readme.txt", "");
    tree.Write("opt/demo/setup.lua", "");
    EXPECT_EQ(root + "/opt/demo", FindBundledGame(exe, relative, root + "/opt/demo"));
    EXPECT_EQ("", FindBundledGame(exe, relative, root + "/nowhere"));
    tree.Write("usr/share/velmora/demo/setup.lua", "");
    EXPECT_EQ(root + "/usr/share/velmora/demo", FindBundledGame(exe, relative, root + "/opt/demo"));
    // Where the program cannot learn its own path, only the install location is left.
    EXPECT_EQ(root + "/opt/demo", FindBundledGame("", relative, root + "/opt/demo"));
}

TEST(InputFile, LinesParseAndMalformedOnesNameFileAndLine) {
    std::vector<InputEvent> events;
    std::string error;
    ASSERT_TRUE(ParseInputText("# replay\n1 down 37\n\n3 up 37\r\n3 point 10.5 -2\n", "in.txt",
                               events, &error));
    ASSERT_EQ(3u, events.size());
    EXPECT_TRUE(events[0].Type == InputEvent::Kind::Down && events[0].Vk == 37);
    EXPECT_TRUE(events[1].Type == InputEvent::Kind::Up && events[1].Frame == 3);
    EXPECT_TRUE(events[2].Type == InputEvent::Kind::Point && events[2].X == 10.5 &&
                events[2].Y == -2.0);
    for (const char* bad : {"0 down 37", "x down 37", "1 press 37", "1 down", "1 down 300",
                            "1 point 3", "2 down 37\n1 down 38"}) {
        std::vector<InputEvent> out;
        std::string why;
        EXPECT_FALSE(ParseInputText(std::string("# c\n") + bad, "in.txt", out, &why)) << bad;
        EXPECT_EQ(0u, why.find(bad[0] == '2' ? "in.txt:3: " : "in.txt:2: ")) << why;
    }
    // Recorded points keep every digit they need, and no more (the fuzzer replays them).
    EXPECT_EQ("4 point -7.25 0.1", FormatInputEvent({4, InputEvent::Kind::Point, 0, -7.25, 0.1}));
    EXPECT_EQ("4 point 123.456789012345 0",
              FormatInputEvent({4, InputEvent::Kind::Point, 0, 123.456789012345, 0}));
}

}  // namespace
}  // namespace Velmora::Testing
