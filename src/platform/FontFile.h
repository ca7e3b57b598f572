#pragma once
// TrueType and OpenType fonts through SDL2_ttf: the glyphs of one size rendered once
// into a single picture, black with their coverage as alpha, so text is drawn as
// tinted quads like every other picture.
#include <array>
#include <string>

#include "platform/ImageFile.h"

namespace Velmora::Platform {

// Where a character's glyph sits in the atlas, and how far the pen moves after it.
struct GlyphBox {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    int Advance = 0;
};

// Glyphs for the characters 32 to 255 (Latin-1); others have none.
struct GlyphAtlas {
    Image Picture;
    int LineHeight = 0;
    std::array<GlyphBox, 256> Glyphs{};
};

// False, with *error saying why, when the file is missing or no font, or size is out
// of range (1 to 256 pixels).
bool RenderFontAtlas(const std::string& path, int size, GlyphAtlas* atlas, std::string* error);

}  // namespace Velmora::Platform
