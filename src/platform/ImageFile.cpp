#include "platform/ImageFile.h"

#include <SDL.h>
#include <SDL_image.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace Velmora::Platform {

namespace {

// The largest block a picture may decode into: a 16384 x 16384 RGBA texture, as large
// as graphics devices take. A damaged header can claim billions of pixels, and the
// decoders would spend minutes and gigabytes on such a file before failing; with the
// allocation refused they fail at once, like any unreadable picture.
constexpr std::size_t kMaxPictureBytes = std::size_t{16384} * 16384 * 4;
// Below that, a picture may not decode to more than this many bytes per byte of its
// file (or to 4 MiB, whichever is more). Real pictures, even of one flat colour, stay
// far below it; a damaged header claiming more makes some decoders walk every claimed
// pixel after the data has run out, which takes minutes for a file of a few bytes.
constexpr std::size_t kMostBytesPerFileByte = 40000;
constexpr std::size_t kSmallPictureBytes = std::size_t{4} << 20;

// Only allocations made while this thread decodes a picture are held to a limit; 0
// when it decodes none.
thread_local std::size_t t_limit = 0;
SDL_malloc_func g_malloc = nullptr;
SDL_calloc_func g_calloc = nullptr;
SDL_realloc_func g_realloc = nullptr;
SDL_free_func g_free = nullptr;

void* CappedMalloc(size_t size) {
    return t_limit != 0 && size > t_limit ? nullptr : g_malloc(size);
}
void* CappedCalloc(size_t count, size_t size) {
    if (t_limit != 0 && size != 0 && count > t_limit / size) {
        return nullptr;
    }
    return g_calloc(count, size);
}
void* CappedRealloc(void* block, size_t size) {
    return t_limit != 0 && size > t_limit ? nullptr : g_realloc(block, size);
}
void CappedFree(void* block) {
    g_free(block);
}

// The limit wraps whatever allocator SDL had, so blocks from before it are freed the
// same way as blocks from after it.
void LimitDecoderAllocations() {
    static const bool installed = [] {
        SDL_GetMemoryFunctions(&g_malloc, &g_calloc, &g_realloc, &g_free);
        return SDL_SetMemoryFunctions(CappedMalloc, CappedCalloc, CappedRealloc, CappedFree) == 0;
    }();
    (void)installed;
}

struct DecodingScope {
    explicit DecodingScope(std::uint64_t fileBytes) {
        t_limit = static_cast<std::size_t>(std::min<std::uint64_t>(
            kMaxPictureBytes,
            std::max<std::uint64_t>(kSmallPictureBytes, fileBytes * kMostBytesPerFileByte)));
    }
    ~DecodingScope() { t_limit = 0; }
    DecodingScope(const DecodingScope&) = delete;
    DecodingScope& operator=(const DecodingScope&) = delete;
};

bool SizeAllowed(std::uint64_t width, std::uint64_t height) {
    return width > 0 && height > 0 && width * height <= kMaxPictureBytes / 4;
}

// Opens path for reading only when it is a regular file: opening a FIFO waits for a
// writer, forever if none comes, and a device may never end. Null otherwise, so such
// a path fails like a missing file.
std::FILE* OpenRegularFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    std::FILE* file = nullptr;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        file = fdopen(fd, "rb");
    }
    if (file == nullptr) {
        close(fd);
    }
    return file;
}

std::uint32_t Be32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

enum class PngHeader { NotPng, Broken, Whole };

// A PNG's size from its IHDR, checked as the decoder checks it, and its chunks walked
// to IEND, so a damaged or cut-off file is refused as decoding would refuse it. Only
// damage inside the compressed pixels goes unseen.
PngHeader ReadPngSize(std::FILE* file, int* width, int* height) {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::uint8_t head[8 + 25] = {};
    if (std::fread(head, 1, sizeof(head), file) != sizeof(head) ||
        std::memcmp(head, kSignature, 8) != 0) {
        return std::memcmp(head, kSignature, 8) == 0 ? PngHeader::Broken : PngHeader::NotPng;
    }
    const std::uint8_t* ihdr = head + 8;
    const std::uint8_t* data = ihdr + 8;
    const std::uint32_t w = Be32(data);
    const std::uint32_t h = Be32(data + 4);
    const int depth = data[8];
    const int colour = data[9];
    // Bit depths each colour type allows (bit n: depth n).
    static const unsigned kDepths[7] = {0x10116, 0, 0x10100, 0x116, 0x10100, 0, 0x10100};
    // The decoder's own limit is a million pixels either way.
    if (Be32(ihdr) != 13 || std::memcmp(ihdr + 4, "IHDR", 4) != 0 ||
        Be32(data + 13) != Crc32(ihdr + 4, 17) || w > 1000000 || h > 1000000 ||
        !SizeAllowed(w, h) || colour > 6 || depth > 16 || (kDepths[colour] >> depth & 1) == 0 ||
        data[10] != 0 || data[11] != 0 || data[12] > 1) {
        return PngHeader::Broken;
    }
    bool palette = false;
    bool pixels = false;
    for (std::uint8_t chunk[8]; std::fread(chunk, 1, 8, file) == 8;) {
        const std::uint32_t length = Be32(chunk);
        if (length > 0x7FFFFFFFu) {
            break;
        }
        if (std::memcmp(chunk + 4, "IEND", 4) == 0) {
            if (!pixels || (colour == 3 && !palette)) {
                break;
            }
            *width = static_cast<int>(w);
            *height = static_cast<int>(h);
            return PngHeader::Whole;
        }
        palette = palette || std::memcmp(chunk + 4, "PLTE", 4) == 0;
        pixels = pixels || std::memcmp(chunk + 4, "IDAT", 4) == 0;
        if (std::fseek(file, static_cast<long>(length) + 4, SEEK_CUR) != 0) {
            break;
        }
    }
    return PngHeader::Broken;
}

// A stream that grows a block of memory, for a PNG encoded before it is written.
struct MemoryStream {
    static Sint64 Size(SDL_RWops* rw) { return static_cast<Sint64>(Bytes(rw).size()); }
    static Sint64 Seek(SDL_RWops* rw, Sint64 offset, int whence) {
        const Sint64 base = whence == RW_SEEK_SET   ? 0
                            : whence == RW_SEEK_CUR ? static_cast<Sint64>(Position(rw))
                                                    : Size(rw);
        if (base + offset < 0) {
            return SDL_SetError("seek before the start");
        }
        Position(rw) = static_cast<std::size_t>(base + offset);
        return base + offset;
    }
    static size_t Read(SDL_RWops*, void*, size_t, size_t) { return 0; }
    static size_t Write(SDL_RWops* rw, const void* from, size_t size, size_t count) {
        std::vector<std::uint8_t>& bytes = Bytes(rw);
        const std::size_t total = size * count;
        if (total == 0) {
            return count;
        }
        if (Position(rw) + total > bytes.size()) {
            bytes.resize(Position(rw) + total);
        }
        std::memcpy(bytes.data() + Position(rw), from, total);
        Position(rw) += total;
        return count;
    }
    static int Close(SDL_RWops* rw) {
        SDL_FreeRW(rw);
        return 0;
    }
    static std::vector<std::uint8_t>& Bytes(SDL_RWops* rw) {
        return *static_cast<std::vector<std::uint8_t>*>(rw->hidden.unknown.data1);
    }
    static std::size_t& Position(SDL_RWops* rw) {
        return *static_cast<std::size_t*>(rw->hidden.unknown.data2);
    }
};

// Writes bytes to path, every step checked: a full disk shows only in a late write,
// the flush or the close. False with *error from errno.
bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
                    std::string* error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        *error = std::strerror(errno);
        return false;
    }
    bool ok =
        std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
    if (!ok) {
        *error = std::strerror(errno);
    }
    if (std::fclose(file) != 0 && ok) {
        *error = std::strerror(errno);
        ok = false;
    }
    return ok;
}

}  // namespace

bool ReadImageSize(const std::string& path, int* width, int* height) {
    std::FILE* file = OpenRegularFile(path);
    if (file == nullptr) {
        return false;
    }
    const PngHeader png = ReadPngSize(file, width, height);
    std::fclose(file);
    if (png != PngHeader::NotPng) {
        return png == PngHeader::Whole;
    }
    Image image;
    if (!LoadImageRgba(path, image)) {
        return false;
    }
    *width = image.Width;
    *height = image.Height;
    return true;
}

bool LoadImageRgba(const std::string& path, Image& out) {
    LimitDecoderAllocations();
    std::FILE* file = OpenRegularFile(path);
    if (file == nullptr) {
        return false;
    }
    SDL_RWops* stream = SDL_RWFromFP(file, SDL_TRUE);
    if (stream == nullptr) {
        std::fclose(file);
        return false;
    }
    // Formats without a signature (TGA) are known by the name's extension.
    const std::size_t dot = path.rfind('.');
    const std::string extension = dot == std::string::npos ? "" : path.substr(dot + 1);
    DecodingScope decoding(static_cast<std::uint64_t>(std::max<Sint64>(SDL_RWsize(stream), 0)));
    SDL_Surface* loaded =
        IMG_LoadTyped_RW(stream, 1, dot == std::string::npos ? nullptr : extension.c_str());
    if (loaded == nullptr) {
        return false;
    }
    // A header may also claim no pixels at all in one direction (a TGA 0 wide and 3
    // high decodes), which leaves nothing to copy rows from.
    if (!SizeAllowed(static_cast<std::uint64_t>(std::max(loaded->w, 0)),
                     static_cast<std::uint64_t>(std::max(loaded->h, 0)))) {
        SDL_FreeSurface(loaded);
        return false;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0);
    SDL_FreeSurface(loaded);
    if (rgba == nullptr) {
        return false;
    }
    out.Width = rgba->w;
    out.Height = rgba->h;
    out.Rgba.assign(static_cast<std::size_t>(out.Width) * out.Height * 4, 0);
    SDL_LockSurface(rgba);
    for (int y = 0; y < out.Height; ++y) {
        std::memcpy(&out.Rgba[static_cast<std::size_t>(y) * out.Width * 4],
                    static_cast<const std::uint8_t*>(rgba->pixels) +
                        static_cast<std::size_t>(y) * rgba->pitch,
                    static_cast<std::size_t>(out.Width) * 4);
    }
    SDL_UnlockSurface(rgba);
    SDL_FreeSurface(rgba);
    return out.Width > 0 && out.Height > 0;
}

bool SavePngRgba(const std::string& path, const Image& image, std::string* error) {
    std::string ignored;
    error = error != nullptr ? error : &ignored;
    if (image.Width <= 0 || image.Height <= 0 ||
        image.Rgba.size() < static_cast<std::size_t>(image.Width) * image.Height * 4) {
        *error = "the picture is empty";
        return false;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint8_t*>(image.Rgba.data()), image.Width, image.Height, 32,
        image.Width * 4, SDL_PIXELFORMAT_ABGR8888);
    SDL_RWops* stream = SDL_AllocRW();
    if (surface == nullptr || stream == nullptr) {
        *error = SDL_GetError();
        SDL_FreeSurface(surface);
        if (stream != nullptr) {
            SDL_FreeRW(stream);
        }
        return false;
    }
    // Encoded in memory first: the library's own file writing does not check its
    // closing, where a full disk may show first.
    std::vector<std::uint8_t> png;
    std::size_t position = 0;
    stream->type = SDL_RWOPS_UNKNOWN;
    stream->size = MemoryStream::Size;
    stream->seek = MemoryStream::Seek;
    stream->read = MemoryStream::Read;
    stream->write = MemoryStream::Write;
    stream->close = MemoryStream::Close;
    stream->hidden.unknown.data1 = &png;
    stream->hidden.unknown.data2 = &position;
    const bool encoded = IMG_SavePNG_RW(surface, stream, 1) == 0;
    SDL_FreeSurface(surface);
    if (!encoded) {
        *error = IMG_GetError();
        return false;
    }
    return WriteWholeFile(path, png, error);
}

bool PictureLoader::PrepareDecoders() {
    // Before another thread decodes: neither the memory functions nor the decoders'
    // start are safe to race.
    LimitDecoderAllocations();
    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
    return true;
}

PictureLoader::PictureLoader(const std::string& folder, std::size_t mostBytes)
    : ahead_(
          [folder] {
              return FilesUnder(folder, {".png", ".bmp", ".tga", ".gif", ".jpg"});
          },
          [](const std::string& path, Decoded& result) {
              result.Loaded = LoadImageRgba(path, result.Picture);
              return result.Picture.Rgba.size();
          },
          mostBytes) {}

bool PictureLoader::Load(const std::string& path, Image& out) {
    Decoded decoded;
    if (!ahead_.Take(path, decoded)) {
        return LoadImageRgba(path, out);
    }
    out = std::move(decoded.Picture);
    return decoded.Loaded;
}

}  // namespace Velmora::Platform
