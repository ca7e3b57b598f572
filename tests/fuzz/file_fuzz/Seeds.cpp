#include "FileFuzz.h"

namespace Velmora::Fuzz {

namespace {

void Le(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void Be(std::string& out, std::uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::string Chunk(const std::string& tag, const std::string& body) {
    std::string out = tag;
    Le(out, body.size(), 4);
    out += body;
    if (body.size() % 2 != 0) {
        out.push_back('\0');
    }
    return out;
}

std::string Wav(int tag, int channels, int rate, int align, const std::string& extra,
                std::size_t samples) {
    std::string fmt;
    Le(fmt, static_cast<std::uint64_t>(tag), 2);
    Le(fmt, static_cast<std::uint64_t>(channels), 2);
    Le(fmt, static_cast<std::uint64_t>(rate), 4);
    Le(fmt, static_cast<std::uint64_t>(rate * align), 4);
    Le(fmt, static_cast<std::uint64_t>(align), 2);
    Le(fmt, 8u * static_cast<std::uint64_t>(align) / static_cast<std::uint64_t>(channels), 2);
    std::string body = "WAVE" + Chunk("fmt ", fmt) + extra +
                       Chunk("data", std::string(samples * static_cast<std::size_t>(align), 'P'));
    std::string out = "RIFF";
    Le(out, body.size(), 4);
    return out + body;
}

std::string OggPage(int type, std::uint64_t granule, std::uint32_t serial, std::uint32_t sequence,
                    const std::string& packet) {
    std::string out = "OggS";
    out.push_back('\0');
    out.push_back(static_cast<char>(type));
    Le(out, granule, 8);
    Le(out, serial, 4);
    Le(out, sequence, 4);
    Le(out, 0, 4);  // checksum: the length reader does not check it
    out.push_back('\1');
    out.push_back(static_cast<char>(packet.size()));
    return out + packet;
}

std::string Ogg() {
    std::string id = "\x01vorbis";
    Le(id, 0, 4);                 // version
    id.push_back(1);              // channels
    Le(id, 22050, 4);             // rate
    id += std::string(12, '\0');  // bitrates
    id.push_back(static_cast<char>(0xB8));
    id.push_back(1);
    return OggPage(2, 0, 77, 0, id) + OggPage(0, 11025, 77, 1, std::string(20, 'v')) +
           OggPage(4, 22050, 77, 2, std::string(10, 'v'));
}

std::string Flac(std::uint32_t rate, std::uint64_t samples) {
    std::string out = "fLaC";
    out.push_back(static_cast<char>(0x80));  // last block, STREAMINFO
    Be(out, 34, 3);
    Be(out, 4096, 2);
    Be(out, 4096, 2);
    Be(out, 0, 3);
    Be(out, 0, 3);
    // 20 bits rate, 3 bits channels - 1, 5 bits bits - 1, 36 bits samples.
    const std::uint64_t packed = static_cast<std::uint64_t>(rate) << 44 | 0ull << 41 | 15ull << 36 |
                                 (samples & 0xFFFFFFFFFull);
    Be(out, packed, 8);
    out += std::string(16, '\x11');  // MD5
    return out + std::string(64, '\xFF');
}

std::string Mp3Frames(int count, bool xing) {
    // MPEG 1 layer III, 128 kbit/s, 44100 Hz, stereo: 417 bytes a frame.
    std::string frame = "\xFF\xFB\x90\x64";
    frame.resize(417, '\0');
    std::string first = frame;
    if (xing) {
        first.replace(4 + 32, 4, "Xing");
        std::string fields;
        Be(fields, 1, 4);
        Be(fields, static_cast<std::uint64_t>(count), 4);
        first.replace(4 + 32 + 4, fields.size(), fields);
    }
    std::string out = first;
    for (int i = 1; i < count; ++i) {
        out += frame;
    }
    return out;
}

std::string Id3(const std::string& body) {
    std::string out = "ID3";
    out.push_back(3);
    out.push_back(0);
    out.push_back(0);
    const std::size_t n = body.size();
    out.push_back(static_cast<char>((n >> 21) & 0x7F));
    out.push_back(static_cast<char>((n >> 14) & 0x7F));
    out.push_back(static_cast<char>((n >> 7) & 0x7F));
    out.push_back(static_cast<char>(n & 0x7F));
    return out + body;
}

std::string Bmp(int width, int height, int bits) {
    const int rowBytes = ((width * bits + 31) / 32) * 4;
    const int paletteBytes = bits <= 8 ? (1 << bits) * 4 : 0;
    const int pixelOffset = 14 + 40 + paletteBytes;
    std::string out = "BM";
    Le(out, static_cast<std::uint64_t>(pixelOffset + rowBytes * height), 4);
    Le(out, 0, 4);
    Le(out, static_cast<std::uint64_t>(pixelOffset), 4);
    Le(out, 40, 4);
    Le(out, static_cast<std::uint64_t>(width), 4);
    Le(out, static_cast<std::uint64_t>(height), 4);
    Le(out, 1, 2);
    Le(out, static_cast<std::uint64_t>(bits), 2);
    Le(out, 0, 4);
    Le(out, static_cast<std::uint64_t>(rowBytes * height), 4);
    Le(out, 2835, 4);
    Le(out, 2835, 4);
    Le(out, 0, 4);
    Le(out, 0, 4);
    for (int i = 0; i < paletteBytes; ++i) {
        out.push_back(static_cast<char>(i * 7));
    }
    for (int i = 0; i < rowBytes * height; ++i) {
        out.push_back(static_cast<char>(i * 13));
    }
    return out;
}

std::string Tga(int width, int height, bool rle) {
    std::string out;
    out.push_back(0);
    out.push_back(0);
    out.push_back(rle ? 10 : 2);
    Le(out, 0, 5);
    Le(out, 0, 2);
    Le(out, 0, 2);
    Le(out, static_cast<std::uint64_t>(width), 2);
    Le(out, static_cast<std::uint64_t>(height), 2);
    out.push_back(32);
    out.push_back(8);
    const int pixels = width * height;
    if (rle) {
        for (int done = 0; done < pixels;) {
            const int run = std::min(pixels - done, 128);
            out.push_back(static_cast<char>(0x80 | (run - 1)));
            out += "\x10\x20\x30\xFF";
            done += run;
        }
    } else {
        for (int i = 0; i < pixels; ++i) {
            out += "\x40\x50\x60\x80";
        }
    }
    return out;
}

}  // namespace

std::vector<std::string> SoundSeeds() {
    std::string list = Chunk("LIST", "INFOtest");
    std::string fact;
    Le(fact, 4000, 4);
    return {
        Wav(1, 1, 8000, 1, "", 800),
        Wav(1, 2, 44100, 4, list, 300),
        Wav(3, 1, 48000, 4, "", 100),
        Wav(0x11, 1, 22050, 256, Chunk("fact", fact), 3),
        Wav(2, 2, 11025, 512, "", 2),
        Ogg(),
        Flac(44100, 88200),
        Flac(8000, 0),
        Mp3Frames(12, false),
        Mp3Frames(6, true),
        Id3(std::string(40, 'T')) + Mp3Frames(5, false),
        Mp3Frames(4, false) + "TAG" + std::string(125, ' '),
        std::string(3, '\0') + Mp3Frames(3, false),
    };
}

std::vector<std::pair<std::string, std::string>> PictureSeeds() {
    // 1 x 1 GIF and a 2 x 2 colour PNM; PNGs are written by the picture target itself.
    const std::string gif(
        "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00"
        "\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
        43);
    return {
        {"bmp", Bmp(3, 2, 24)},
        {"bmp", Bmp(4, 4, 8)},
        {"bmp", Bmp(7, 3, 1)},
        {"bmp", Bmp(2, 2, 32)},
        {"tga", Tga(3, 3, false)},
        {"tga", Tga(20, 10, true)},
        {"gif", gif},
        {"ppm", "P6\n2 2\n255\n" + std::string(12, '\x7F')},
        {"pgm", "P2\n3 1\n15\n0 7 15\n"},
    };
}

}  // namespace Velmora::Fuzz
