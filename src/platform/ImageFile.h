#pragma once
// Picture files through SDL2_image: both graphics devices decode with it, so a
// missing or unreadable picture fails the same way with or without a window.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Prefetch.h"

namespace Velmora::Platform {

struct Image {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Rgba;  // Width * Height * 4 bytes, rows top to bottom
};

// False when the file is missing, unreadable, not a regular file or of no known format.
bool LoadImageRgba(const std::string& path, Image& out);

// The pictures under a folder decoded ahead (see Prefetch.h): Load gives exactly what
// LoadImageRgba would.
class PictureLoader {
public:
    PictureLoader(const std::string& folder, std::size_t mostBytes);
    bool Load(const std::string& path, Image& out);

private:
    struct Decoded {
        bool Loaded = false;
        Image Picture;
    };
    static bool PrepareDecoders();
    bool prepared_ = PrepareDecoders();
    Prefetch<Decoded> ahead_;
};

// The size LoadImageRgba would give, for devices that keep no pixels. A PNG is judged
// by its headers and chunk layout without decoding its pixels (so damage inside the
// compressed pixel data alone goes unnoticed); other formats are decoded.
bool ReadImageSize(const std::string& path, int* width, int* height);

// Writes 8-bit RGBA rows (top to bottom) as PNG; false, with *error saying why, when
// the file could not be written whole.
bool SavePngRgba(const std::string& path, const Image& image, std::string* error = nullptr);

}  // namespace Velmora::Platform
