#include "platform/ImageFile.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

namespace Velmora::Platform {

bool LoadImageRgba(const std::string& path, Image& out) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) {
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
