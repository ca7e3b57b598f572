// velmora: runs a game folder of Lua scripts.
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>

#include "app/Application.h"
#include "app/Check.h"
#include "app/CommandLine.h"
#include "app/NewGame.h"
#include "app/Pack.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "check") {
        return Velmora::RunCheck(argc - 1, argv + 1);
    }
    if (argc > 1 && std::string(argv[1]) == "new") {
        return Velmora::RunNewGame(argc - 1, argv + 1);
    }
    if (argc > 1 && std::string(argv[1]) == "pack") {
        return Velmora::RunPack(argc - 1, argv + 1);
    }
    Velmora::Options options;
    const Velmora::ParseResult parsed = Velmora::ParseCommandLine(argc, argv, options);
    switch (parsed.Outcome) {
        case Velmora::ParseResult::Kind::Help:
            std::fputs(Velmora::UsageText().c_str(), stdout);
            return 0;
        case Velmora::ParseResult::Kind::Version:
            std::printf("velmora %s\n", VELMORA_VERSION);
            return 0;
        case Velmora::ParseResult::Kind::Error:
            std::fprintf(stderr, "velmora: %s\nusage: velmora [GAME_DIR] [options]  (see --help)\n",
                         parsed.Message.c_str());
            return 2;
        case Velmora::ParseResult::Kind::Run:
            break;
    }
    // Output files are named relative to where velmora was started, but every script
    // path in a game is relative to its folder.
    char cwd[4096];
    if (getcwd(cwd, sizeof(cwd)) != nullptr) {
        for (std::optional<std::string>* path : {&options.RecordFile, &options.ScreenshotFile}) {
            if (*path && !(*path)->empty() && (**path)[0] != '/') {
                **path = std::string(cwd) + "/" + **path;
            }
        }
    }
    if (options.GameArchive) {
        options.GameDir = Velmora::UnpackGame(*options.GameArchive);
        if (options.GameDir.empty()) {
            return 1;
        }
    }
    if (chdir(options.GameDir.c_str()) != 0) {
        std::fprintf(stderr, "velmora: cannot enter the game folder %s\n", options.GameDir.c_str());
        return 2;
    }
    Velmora::Application application(std::move(options));
    return application.Run();
}
