#pragma once
// One-file games: a game folder written into a zip archive and read back (libzip).
#include <string>
#include <vector>

namespace Velmora::Platform {

// Writes the files (paths relative to folder) into a new zip at out, replacing it.
bool WriteZip(const std::string& folder, const std::vector<std::string>& files,
              const std::string& out, std::string* error);

// Unpacks every file of the zip below folder. Refused, with nothing written, when an
// entry would land outside folder (an absolute path, "..") or the archive claims more
// than a game may hold; false with *error saying why.
bool ExtractZip(const std::string& zip, const std::string& folder, std::string* error);

}  // namespace Velmora::Platform
