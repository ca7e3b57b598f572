#include "platform/Archive.h"

#include <zip.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace Velmora::Platform {

namespace {

namespace fs = std::filesystem;

// More than any game holds, well short of filling a disk from a small, damaged archive.
constexpr zip_uint64_t kMostBytes = zip_uint64_t{2} << 30;
constexpr zip_int64_t kMostEntries = 100000;

struct Closer {
    void operator()(zip_t* archive) const { zip_discard(archive); }
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

std::string ZipError(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

// Whether an entry's name stays inside the folder it is unpacked into.
bool SafeName(const std::string& name) {
    if (name.empty() || name[0] == '/' || name.find('\\') != std::string::npos) {
        return false;
    }
    for (const fs::path& part : fs::path(name)) {
        if (part == "..") {
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteZip(const std::string& folder, const std::vector<std::string>& files,
              const std::string& out, std::string* error) {
    int code = 0;
    zip_t* archive = zip_open(out.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (archive == nullptr) {
        *error = ZipError(code);
        return false;
    }
    std::unique_ptr<zip_t, Closer> open(archive);
    for (const std::string& file : files) {
        const std::string path = folder + "/" + file;
        zip_source_t* source = zip_source_file(archive, path.c_str(), 0, -1);
        if (source == nullptr ||
            zip_file_add(archive, file.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
            if (source != nullptr) {
                zip_source_free(source);
            }
            *error = file + ": " + zip_strerror(archive);
            return false;
        }
    }
    // Written only here: a failed archive leaves nothing behind.
    if (zip_close(open.get()) != 0) {
        *error = zip_strerror(open.get());
        return false;
    }
    open.release();
    return true;
}

bool ExtractZip(const std::string& zip, const std::string& folder, std::string* error) {
    int code = 0;
    zip_t* archive = zip_open(zip.c_str(), ZIP_RDONLY, &code);
    if (archive == nullptr) {
        *error = ZipError(code);
        return false;
    }
    std::unique_ptr<zip_t, Closer> open(archive);
    const zip_int64_t entries = zip_get_num_entries(archive, 0);
    if (entries < 0 || entries > kMostEntries) {
        *error = "the archive holds more entries than a game may";
        return false;
    }
    // Everything is looked at before anything is written.
    zip_uint64_t total = 0;
    for (zip_int64_t i = 0; i < entries; ++i) {
        zip_stat_t info;
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &info) != 0 ||
            !(info.valid & ZIP_STAT_NAME) || !(info.valid & ZIP_STAT_SIZE)) {
            *error = zip_strerror(archive);
            return false;
        }
        if (!SafeName(info.name)) {
            *error = std::string("the entry '") + info.name + "' would land outside the game";
            return false;
        }
        total += info.size;
        if (total > kMostBytes) {
            *error = "the archive unpacks to more than a game may hold";
            return false;
        }
    }
    std::error_code made;
    for (zip_int64_t i = 0; i < entries; ++i) {
        zip_stat_t info;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &info);
        const std::string name = info.name;
        const fs::path target = fs::path(folder) / name;
        if (name.back() == '/') {
            fs::create_directories(target, made);
            continue;
        }
        fs::create_directories(target.parent_path(), made);
        std::unique_ptr<zip_file_t, Closer> entry(
            zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0));
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        if (entry == nullptr || !out) {
            *error = name + ": " + (entry == nullptr ? zip_strerror(archive) : "cannot be written");
            return false;
        }
        char buffer[65536];
        zip_uint64_t left = info.size;
        while (left > 0) {
            const zip_int64_t read = zip_fread(entry.get(), buffer, sizeof(buffer));
            if (read <= 0) {
                *error = name + ": the archive is damaged";
                return false;
            }
            out.write(buffer, read);
            left -= static_cast<zip_uint64_t>(std::min<zip_uint64_t>(left, read));
        }
        if (!out.flush()) {
            *error = name + ": cannot be written";
            return false;
        }
    }
    return true;
}

}  // namespace Velmora::Platform
