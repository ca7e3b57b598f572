#pragma once
// A font: one texture holding every glyph, where each glyph sits in it and how far
// the pen moves after it. Text is drawn a quad per glyph, placed, scaled, turned and
// tinted as one picture about the draw's position.
#include <array>
#include <memory>
#include <string>

#include "platform/FontFile.h"
#include "platform/Renderer.h"
#include "resource/SpriteRecord.h"

namespace Velmora {

enum class TextAlign { Left, Center, Right };

class Font {
public:
    // A TrueType or OpenType file at size pixels; null, with *error set, when it
    // cannot be read.
    static std::unique_ptr<Font> FromFile(Platform::Renderer* device, const std::string& path,
                                          int size, std::string* error);
    // A picture of equal cells holding the characters from firstChar on, in reading
    // order (pixel-art fonts); null, with *error set, when it cannot be read.
    static std::unique_ptr<Font> FromPicture(Platform::Renderer* device, const std::string& path,
                                             int cellWidth, int cellHeight, int firstChar,
                                             std::string* error);

    // The same from pixels made in memory (the engine's own small font); name stands for
    // the file.
    static std::unique_ptr<Font> FromImage(Platform::Renderer* device, const Platform::Image& image,
                                           const std::string& name, int cellWidth, int cellHeight,
                                           int firstChar);

    // Lines (split at '\n') are aligned about the position horizontally, and the block
    // of them is centred on it vertically. Characters the font lacks take the room of
    // a space.
    void Draw(const SpriteDraw& how, const std::string& text, TextAlign align) const;
    // How wide the line is, in pixels before scaling.
    float LineWidth(const std::string& line) const;
    int LineHeight() const { return lineHeight_; }
    // Where the character's glyph sits on the texture, for drawing other shapes with it.
    Cell GlyphCell(unsigned char c) const;
    const Platform::Texture& Texture() const { return *texture_; }
    Platform::VertexBuffer& Buffer() const { return *buffer_; }

private:
    Font() = default;
    static std::unique_ptr<Font> FromCells(Platform::Renderer* device,
                                           std::unique_ptr<Platform::Texture> texture,
                                           int cellWidth, int cellHeight, int firstChar,
                                           std::string* error);
    int Advance(unsigned char c) const;

    Platform::Renderer* device_ = nullptr;
    std::unique_ptr<Platform::Texture> texture_;
    std::unique_ptr<Platform::VertexBuffer> buffer_;
    std::array<Platform::GlyphBox, 256> glyphs_{};
    int lineHeight_ = 0;
    int blankAdvance_ = 0;
};

}  // namespace Velmora
