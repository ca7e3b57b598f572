#include "app/Pack.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "app/Check.h"
#include "platform/Archive.h"
#include "platform/UserFolders.h"

namespace Velmora {

namespace fs = std::filesystem;

int RunPack(int argc, const char* const* argv) {
    if (argc < 2 || argc > 3 || argv[1][0] == '-') {
        std::fputs("usage: velmora pack GAME_DIR [OUT.zip]\n", stderr);
        return 2;
    }
    std::error_code error;
    const fs::path game = fs::absolute(argv[1], error).lexically_normal();
    const std::string name = (game.filename().empty() ? game.parent_path() : game).filename();
    const fs::path out = fs::absolute(argc == 3 ? fs::path(argv[2]) : fs::path(name + ".zip"));
    if (!fs::is_regular_file(game / "setup.lua", error) || !fs::is_directory(game / "res", error)) {
        std::fprintf(stderr, "velmora pack: %s is no game folder (setup.lua and res/)\n", argv[1]);
        return 1;
    }
    // A packed game travels without its author: it goes out only when it checks clean.
    const fs::path here = fs::current_path(error);
    const std::string folder = game.string();
    const char* check[] = {"check", folder.c_str()};
    const int found = RunCheck(2, check);
    fs::current_path(here, error);
    if (found != 0) {
        std::fprintf(stderr, "velmora pack: not packed: velmora check found errors (above)\n");
        return 1;
    }
    std::vector<std::string> files = {"setup.lua"};
    for (fs::recursive_directory_iterator it(game / "res", error), end; it != end && !error;
         it.increment(error)) {
        if (it->is_regular_file(error)) {
            files.push_back(fs::relative(it->path(), game, error).generic_string());
        }
    }
    std::sort(files.begin() + 1, files.end());
    std::string why;
    if (error || !Platform::WriteZip(folder, files, out.string(), &why)) {
        std::fprintf(stderr, "velmora pack: cannot write %s: %s\n", out.c_str(),
                     error ? error.message().c_str() : why.c_str());
        return 1;
    }
    std::printf("velmora pack: %zu files of %s in %s\n", files.size(), name.c_str(), out.c_str());
    return 0;
}

std::string UnpackGame(const std::string& archive) {
    const std::string root = Platform::UserDataFolder();
    const std::string name = fs::path(archive).stem().string();
    if (root.empty() || name.empty()) {
        std::fprintf(stderr, "velmora: there is no folder to unpack %s into (HOME is not set)\n",
                     archive.c_str());
        return "";
    }
    const std::string folder = root + "/" + name;
    std::error_code made;
    fs::create_directories(folder, made);
    std::string why;
    if (made || !Platform::ExtractZip(archive, folder, &why)) {
        std::fprintf(stderr, "velmora: cannot unpack %s into %s: %s\n", archive.c_str(),
                     folder.c_str(), made ? made.message().c_str() : why.c_str());
        return "";
    }
    return folder;
}

}  // namespace Velmora
