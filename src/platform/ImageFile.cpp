#include "platform/ImageFile.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

namespace Velmora::Platform {

namespace {

// The largest block a picture may decode into: a 16384 x 16384 RGBA texture, as large
// as graphics devices take. A damaged header can claim billions of pixels, and the
// decoders would spend minutes and gigabytes on such a file before failing; with the
// allocation refused they fail at once, like any unreadable picture.
constexpr std::size_t kMaxPictureBytes = std::size_t{16384} * 16384 * 4;

// Only allocations made while this thread decodes a picture are held to the limit.
thread_local bool t_decoding = false;
SDL_malloc_func g_malloc = nullptr;
SDL_calloc_func g_calloc = nullptr;
SDL_realloc_func g_realloc = nullptr;
SDL_free_func g_free = nullptr;

void* CappedMalloc(size_t size) {
    return t_decoding && size > kMaxPictureBytes ? nullptr : g_malloc(size);
}
void* CappedCalloc(size_t count, size_t size) {
    if (t_decoding && size != 0 && count > kMaxPictureBytes / size) {
        return nullptr;
    }
    return g_calloc(count, size);
}
void* CappedRealloc(void* block, size_t size) {
    return t_decoding && size > kMaxPictureBytes ? nullptr : g_realloc(block, size);
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
    DecodingScope() { t_decoding = true; }
    ~DecodingScope() { t_decoding = false; }
    DecodingScope(const DecodingScope&) = delete;
    DecodingScope& operator=(const DecodingScope&) = delete;
};

}  // namespace

bool LoadImageRgba(const std::string& path, Image& out) {
    LimitDecoderAllocations();
    DecodingScope decoding;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) {
        return false;
    }
    // A header may also claim no pixels at all in one direction (a TGA 0 wide and 3
    // high decodes), which leaves nothing to copy rows from.
    if (loaded->w <= 0 || loaded->h <= 0 ||
        static_cast<std::size_t>(loaded->w) * static_cast<std::size_t>(loaded->h) >
            kMaxPictureBytes / 4) {
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

bool SavePngRgba(const std::string& path, const Image& image) {
    if (image.Width <= 0 || image.Height <= 0 ||
        image.Rgba.size() < static_cast<std::size_t>(image.Width) * image.Height * 4) {
        return false;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint8_t*>(image.Rgba.data()), image.Width, image.Height, 32,
        image.Width * 4, SDL_PIXELFORMAT_ABGR8888);
    if (surface == nullptr) {
        return false;
    }
    const bool ok = IMG_SavePNG(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return ok;
}

}  // namespace Velmora::Platform
