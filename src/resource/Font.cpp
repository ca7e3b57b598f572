#include "resource/Font.h"

#include <algorithm>
#include <vector>

namespace Velmora {

namespace {

// The characters of a line: UTF-8, as script files are written, where it decodes; any
// other byte stands for itself (Latin-1). Fonts hold the characters up to 255, so a
// character beyond comes back as 0, which no font has.
std::vector<unsigned char> Characters(const std::string& line) {
    std::vector<unsigned char> characters;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC2 ? 2 : 1;
        if (byte >= 0xF5 || i + length > line.size()) {
            length = 1;
        }
        unsigned long code = length == 1 ? byte : byte & (0x7Fu >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(line[i + k]);
            if ((next & 0xC0) != 0x80) {
                length = 1;
                code = byte;
                break;
            }
            code = code << 6 | (next & 0x3Fu);
        }
        characters.push_back(code < 256 ? static_cast<unsigned char>(code) : 0);
        i += static_cast<std::size_t>(length - 1);
    }
    return characters;
}

}  // namespace

std::unique_ptr<Font> Font::FromFile(Platform::Renderer* device, const std::string& path, int size,
                                     std::string* error) {
    if (device == nullptr) {
        *error = "there is no graphics device yet";
        return nullptr;
    }
    Platform::GlyphAtlas atlas;
    if (!Platform::RenderFontAtlas(path, size, &atlas, error)) {
        return nullptr;
    }
    std::unique_ptr<Font> font(new Font());
    font->device_ = device;
    font->glyphs_ = atlas.Glyphs;
    font->lineHeight_ = atlas.LineHeight;
    font->blankAdvance_ = atlas.Glyphs[' '].Advance;
    font->texture_ = device->CreateTextureFromImage(atlas.Picture, path);
    font->buffer_ = device->CreateVertexBuffer();
    if (font->texture_ == nullptr || font->buffer_ == nullptr) {
        *error = "the graphics device refused the font's glyphs";
        return nullptr;
    }
    return font;
}

std::unique_ptr<Font> Font::FromPicture(Platform::Renderer* device, const std::string& path,
                                        int cellWidth, int cellHeight, int firstChar,
                                        std::string* error) {
    if (device == nullptr) {
        *error = "there is no graphics device yet";
        return nullptr;
    }
    if (cellWidth <= 0 || cellHeight <= 0 || firstChar < 0 || firstChar > 255) {
        *error = "cells need a size above 0 and the first character a code from 0 to 255";
        return nullptr;
    }
    return FromCells(device, device->CreateTextureFromFile(path), cellWidth, cellHeight, firstChar,
                     error);
}

std::unique_ptr<Font> Font::FromImage(Platform::Renderer* device, const Platform::Image& image,
                                      const std::string& name, int cellWidth, int cellHeight,
                                      int firstChar) {
    std::string error;
    return device == nullptr ? nullptr
                             : FromCells(device, device->CreateTextureFromImage(image, name),
                                         cellWidth, cellHeight, firstChar, &error);
}

std::unique_ptr<Font> Font::FromCells(Platform::Renderer* device,
                                      std::unique_ptr<Platform::Texture> texture, int cellWidth,
                                      int cellHeight, int firstChar, std::string* error) {
    std::unique_ptr<Font> font(new Font());
    font->device_ = device;
    font->texture_ = std::move(texture);
    font->buffer_ = device->CreateVertexBuffer();
    if (font->texture_ == nullptr || font->buffer_ == nullptr) {
        *error = "the picture cannot be read";
        return nullptr;
    }
    const int columns = font->texture_->Width / cellWidth;
    const int rows = font->texture_->Height / cellHeight;
    for (int i = 0; i < columns * rows && firstChar + i < 256; ++i) {
        font->glyphs_[static_cast<std::size_t>(firstChar + i)] =
            Platform::GlyphBox{(i % columns) * cellWidth, (i / columns) * cellHeight, cellWidth,
                               cellHeight, cellWidth};
    }
    font->lineHeight_ = cellHeight;
    font->blankAdvance_ = cellWidth;
    return font;
}

Cell Font::GlyphCell(unsigned char c) const {
    const Platform::GlyphBox& glyph = glyphs_[c];
    const float w = static_cast<float>(std::max(texture_->Width, 1));
    const float h = static_cast<float>(std::max(texture_->Height, 1));
    return Cell{static_cast<float>(glyph.X) / w, static_cast<float>(glyph.Y) / h,
                static_cast<float>(glyph.X + glyph.Width) / w,
                static_cast<float>(glyph.Y + glyph.Height) / h};
}

int Font::Advance(unsigned char c) const {
    const Platform::GlyphBox& glyph = glyphs_[c];
    return glyph.Width > 0 || glyph.Advance > 0 ? glyph.Advance : blankAdvance_;
}

float Font::LineWidth(const std::string& line) const {
    // In floating point: a pixel-art font may be given cells of any int size.
    float width = 0.0f;
    for (const unsigned char c : Characters(line)) {
        width += static_cast<float>(Advance(c));
    }
    return width;
}

void Font::Draw(const SpriteDraw& how, const std::string& text, TextAlign align) const {
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    float top = -0.5f * static_cast<float>(lines) * static_cast<float>(lineHeight_);
    for (std::size_t start = 0; start <= text.size(); top += static_cast<float>(lineHeight_)) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        const float width = LineWidth(line);
        float pen = align == TextAlign::Left    ? 0.0f
                    : align == TextAlign::Right ? -width
                                                : -0.5f * width;
        for (const unsigned char ch : Characters(line)) {
            const Platform::GlyphBox& glyph = glyphs_[ch];
            if (glyph.Width > 0 && glyph.Height > 0) {
                const Cell cell = GlyphCell(ch);
                DrawTexturedQuad(*device_, *texture_, *buffer_, how, pen, top,
                                 pen + static_cast<float>(glyph.Width),
                                 top + static_cast<float>(glyph.Height), cell);
            }
            pen += static_cast<float>(Advance(ch));
        }
        start = end + 1;
    }
}

}  // namespace Velmora
