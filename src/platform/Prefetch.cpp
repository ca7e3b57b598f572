#include "platform/Prefetch.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace Velmora::Platform {

std::vector<std::string> FilesUnder(const std::string& folder,
                                    const std::vector<std::string>& extensions) {
    std::vector<std::string> paths;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        std::string extension = it->path().extension().string();
        for (char& c : extension) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        std::error_code kind;
        if (std::find(extensions.begin(), extensions.end(), extension) != extensions.end() &&
            it->is_regular_file(kind)) {
            paths.push_back(it->path().string());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace Velmora::Platform
