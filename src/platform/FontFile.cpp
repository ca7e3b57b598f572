#include "platform/FontFile.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace Velmora::Platform {

namespace {

constexpr int kFirstChar = 32;
constexpr int kLastChar = 255;
constexpr int kMostSize = 256;
// Glyphs are laid out in rows of this width; the atlas grows downward.
constexpr int kAtlasWidth = 1024;

struct Closer {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

}  // namespace

bool RenderFontAtlas(const std::string& path, int size, GlyphAtlas* atlas, std::string* error) {
    if (size < 1 || size > kMostSize) {
        *error = "a font size must be 1 to " + std::to_string(kMostSize) + " pixels";
        return false;
    }
    // The library stays open for the process: fonts are opened seldom, and closing it
    // under a font still open elsewhere would break that font.
    static const bool ready = TTF_Init() == 0;
    if (!ready) {
        *error = TTF_GetError();
        return false;
    }
    std::unique_ptr<TTF_Font, Closer> font(TTF_OpenFont(path.c_str(), size));
    if (font == nullptr) {
        *error = TTF_GetError();
        return false;
    }
    const int height = std::max(TTF_FontHeight(font.get()), 1);
    *atlas = GlyphAtlas{};
    atlas->LineHeight = std::max(TTF_FontLineSkip(font.get()), height);

    // First the boxes, row by row, then one picture of their total height.
    std::unique_ptr<SDL_Surface, Closer> glyphs[kLastChar + 1];
    int x = 0;
    int y = 0;
    for (int c = kFirstChar; c <= kLastChar; ++c) {
        int advance = 0;
        if (!TTF_GlyphIsProvided(font.get(), static_cast<Uint16>(c)) ||
            TTF_GlyphMetrics(font.get(), static_cast<Uint16>(c), nullptr, nullptr, nullptr, nullptr,
                             &advance) != 0) {
            continue;
        }
        // Black: an object's colour is added to its picture's, so text shows in exactly
        // the object's colour.
        const SDL_Color black{0, 0, 0, 255};
        SDL_Surface* rendered = TTF_RenderGlyph_Blended(font.get(), static_cast<Uint16>(c), black);
        if (rendered == nullptr) {
            continue;
        }
        glyphs[c].reset(SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ABGR8888, 0));
        SDL_FreeSurface(rendered);
        if (glyphs[c] == nullptr) {
            continue;
        }
        const int w = std::min(glyphs[c]->w, kAtlasWidth);
        if (x + w > kAtlasWidth) {
            x = 0;
            y += height;
        }
        atlas->Glyphs[static_cast<std::size_t>(c)] = GlyphBox{x, y, w, glyphs[c]->h, advance};
        x += w;
    }
    Image& picture = atlas->Picture;
    picture.Width = kAtlasWidth;
    picture.Height = y + height;
    picture.Rgba.assign(static_cast<std::size_t>(picture.Width) * picture.Height * 4, 0);
    for (int c = kFirstChar; c <= kLastChar; ++c) {
        SDL_Surface* glyph = glyphs[c].get();
        const GlyphBox& box = atlas->Glyphs[static_cast<std::size_t>(c)];
        if (glyph == nullptr) {
            continue;
        }
        SDL_LockSurface(glyph);
        for (int row = 0; row < std::min(box.Height, picture.Height - box.Y); ++row) {
            std::memcpy(&picture.Rgba[(static_cast<std::size_t>(box.Y + row) * picture.Width +
                                       static_cast<std::size_t>(box.X)) *
                                      4],
                        static_cast<const std::uint8_t*>(glyph->pixels) +
                            static_cast<std::size_t>(row) * glyph->pitch,
                        static_cast<std::size_t>(box.Width) * 4);
        }
        SDL_UnlockSurface(glyph);
    }
    return true;
}

}  // namespace Velmora::Platform
