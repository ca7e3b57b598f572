#include "platform/SoundFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace Velmora::Platform {

namespace {

using Bytes = std::vector<std::uint8_t>;

class File {
public:
    explicit File(const std::string& path) : stream_(path, std::ios::binary) {
        if (stream_) {
            stream_.seekg(0, std::ios::end);
            const std::streamoff end = stream_.tellg();
            size_ = end > 0 ? static_cast<std::uint64_t>(end) : 0;
        }
    }
    bool IsOpen() const { return static_cast<bool>(stream_); }
    std::uint64_t Size() const { return size_; }

    // Up to count bytes from offset; fewer at the end of the file.
    Bytes ReadAt(std::uint64_t offset, std::size_t count) {
        Bytes bytes;
        if (offset >= size_) {
            return bytes;
        }
        count = static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset));
        bytes.resize(count);
        stream_.clear();
        stream_.seekg(static_cast<std::streamoff>(offset));
        stream_.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
        bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(stream_.gcount(), 0)));
        return bytes;
    }

private:
    std::ifstream stream_;
    std::uint64_t size_ = 0;
};

bool Has(const Bytes& b, std::size_t at, const char* tag) {
    const std::size_t n = std::strlen(tag);
    return b.size() >= at + n && std::memcmp(b.data() + at, tag, n) == 0;
}

std::uint32_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
}
std::uint32_t Le32(const std::uint8_t* p) {
    return Le16(p) | Le16(p + 2) << 16;
}
std::uint64_t Le64(const std::uint8_t* p) {
    return static_cast<std::uint64_t>(Le32(p)) | static_cast<std::uint64_t>(Le32(p + 4)) << 32;
}
std::uint32_t Be32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

// RIFF WAVE: the sample count from the data chunk (or the fact chunk of compressed
// data), clipped to what the file really holds, as the loader tolerates truncation.
SoundResult WavLength(File& file, double* seconds) {
    std::uint64_t pos = 12;
    bool haveFormat = false;
    bool haveData = false;
    std::uint32_t tag = 0, rate = 0, byteRate = 0, blockAlign = 0, factFrames = 0;
    bool haveFact = false;
    std::uint64_t dataOffset = 0, dataLength = 0;
    while (!haveData && pos + 8 <= file.Size()) {
        const Bytes header = file.ReadAt(pos, 8);
        if (header.size() < 8) {
            break;
        }
        const std::uint64_t length = Le32(header.data() + 4);
        const std::uint64_t body = pos + 8;
        if (Has(header, 0, "fmt ")) {
            const Bytes fmt = file.ReadAt(body, 16);
            if (length < 16 || fmt.size() < 16) {
                return kSoundUnreadableFile;
            }
            tag = Le16(fmt.data());
            const std::uint32_t channels = Le16(fmt.data() + 2);
            rate = Le32(fmt.data() + 4);
            byteRate = Le32(fmt.data() + 8);
            blockAlign = Le16(fmt.data() + 12);
            if (channels == 0 || rate == 0 || blockAlign == 0) {
                return kSoundUnreadableFile;
            }
            haveFormat = true;
        } else if (Has(header, 0, "fact") && length >= 4) {
            const Bytes fact = file.ReadAt(body, 4);
            if (fact.size() == 4) {
                factFrames = Le32(fact.data());
                haveFact = true;
            }
        } else if (Has(header, 0, "data")) {
            dataOffset = body;
            dataLength = length;
            haveData = true;
        }
        pos = body + length + (length & 1);
    }
    if (!haveFormat || !haveData) {
        return kSoundUnreadableFile;
    }
    const std::uint64_t available =
        std::min(dataLength, file.Size() - std::min(file.Size(), dataOffset));
    switch (tag) {
        case 1:       // PCM
        case 3:       // IEEE float
        case 6:       // A-law
        case 7:       // mu-law
        case 0xFFFE:  // extensible
            *seconds = static_cast<double>(available / blockAlign) / rate;
            return kSoundOk;
        case 2:     // MS ADPCM
        case 0x11:  // IMA ADPCM
            if (haveFact) {
                *seconds = static_cast<double>(factFrames) / rate;
            } else if (byteRate > 0) {
                *seconds = static_cast<double>(available) / byteRate;
            } else {
                return kSoundUnreadableFile;
            }
            return kSoundOk;
        default:
            return kSoundUnknownFormat;
    }
}

// Ogg Vorbis: the rate from the identification header of the first page, the length
// from the granule position (a sample count) of the stream's last page.
SoundResult OggLength(File& file, const Bytes& head, double* seconds) {
    if (head.size() < 27) {
        return kSoundUnreadableFile;
    }
    const std::size_t packet = 27 + head[26];
    if (!Has(head, packet, "\x01vorbis")) {
        return kSoundUnknownFormat;  // Opus, FLAC in Ogg, ...: not played by the mixer
    }
    if (head.size() < packet + 16) {
        return kSoundUnreadableFile;
    }
    const std::uint32_t serial = Le32(head.data() + 14);
    const std::uint32_t rate = Le32(head.data() + packet + 12);
    if (rate == 0) {
        return kSoundUnreadableFile;
    }
    // A page is at most 27 + 255 + 255 * 255 bytes, so the last one starts in this tail.
    const std::uint64_t tailSize = std::min<std::uint64_t>(file.Size(), 66000);
    const Bytes tail = file.ReadAt(file.Size() - tailSize, static_cast<std::size_t>(tailSize));
    for (std::size_t i = tail.size() >= 27 ? tail.size() - 27 + 1 : 0; i-- > 0;) {
        if (Has(tail, i, "OggS") && tail[i + 4] == 0 && Le32(tail.data() + i + 14) == serial) {
            const std::uint64_t granule = Le64(tail.data() + i + 6);
            if (granule != UINT64_MAX) {
                *seconds = static_cast<double>(granule) / rate;
                return kSoundOk;
            }
        }
    }
    return kSoundUnreadableFile;
}

// FLAC: rate and total sample count from the STREAMINFO block, which comes first.
SoundResult FlacLength(const Bytes& head, double* seconds) {
    if (head.size() < 8 + 34 || (head[4] & 0x7F) != 0) {
        return kSoundUnreadableFile;
    }
    const std::uint8_t* info = head.data() + 8;
    const std::uint32_t rate = static_cast<std::uint32_t>(info[10]) << 12 |
                               static_cast<std::uint32_t>(info[11]) << 4 | info[12] >> 4;
    const std::uint64_t samples =
        static_cast<std::uint64_t>(info[13] & 0x0F) << 32 | Be32(info + 14);
    if (rate == 0) {
        return kSoundUnreadableFile;
    }
    *seconds = static_cast<double>(samples) / rate;  // 0 samples: the encoder did not know
    return kSoundOk;
}

struct Mp3Frame {
    bool Mpeg1 = false;
    bool Mono = false;
    std::uint32_t Bitrate = 0;  // bits per second
    std::uint32_t Rate = 0;
    std::uint32_t Length = 0;   // bytes
    std::uint32_t Samples = 0;  // per channel
};

bool ParseMp3Header(const std::uint8_t* b, Mp3Frame* frame) {
    static const std::uint16_t kBitrates[5][15] = {
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // MPEG 1, layer I
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // MPEG 1, layer II
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},   // MPEG 1, layer III
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},  // MPEG 2, layer I
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},  // MPEG 2, layers II, III
    };
    static const std::uint32_t kRates[3] = {44100, 48000, 32000};
    if (b[0] != 0xFF || (b[1] & 0xE0) != 0xE0) {
        return false;
    }
    const int version = (b[1] >> 3) & 3;  // 0: MPEG 2.5, 1: reserved, 2: MPEG 2, 3: MPEG 1
    const int layer = 4 - ((b[1] >> 1) & 3);
    const int bitrateIndex = b[2] >> 4;
    const int rateIndex = (b[2] >> 2) & 3;
    if (version == 1 || layer == 4 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3) {
        return false;  // reserved values, or free format, which nobody decodes
    }
    frame->Mpeg1 = version == 3;
    frame->Mono = (b[3] >> 6) == 3;
    const int table = frame->Mpeg1 ? layer - 1 : (layer == 1 ? 3 : 4);
    frame->Bitrate = kBitrates[table][bitrateIndex] * 1000u;
    frame->Rate = kRates[rateIndex] >> (version == 3 ? 0 : version == 2 ? 1 : 2);
    const std::uint32_t padding = (b[2] >> 1) & 1;
    if (layer == 1) {
        frame->Samples = 384;
        frame->Length = (12 * frame->Bitrate / frame->Rate + padding) * 4;
    } else {
        frame->Samples = layer == 3 && !frame->Mpeg1 ? 576 : 1152;
        frame->Length = frame->Samples / 8 * frame->Bitrate / frame->Rate + padding;
    }
    return true;
}

// MPEG audio: the frame count of a Xing/Info or VBRI header when the first frame
// carries one, else the constant bit rate of the first frame over the audio bytes.
SoundResult Mp3Length(File& file, const Bytes& head, double* seconds) {
    std::uint64_t start = 0;
    bool tagged = false;
    while (true) {
        const Bytes id3 = file.ReadAt(start, 10);
        if (!Has(id3, 0, "ID3") || id3.size() < 10) {
            break;
        }
        const std::uint64_t size = static_cast<std::uint64_t>(id3[6] & 0x7F) << 21 |
                                   (id3[7] & 0x7F) << 14 | (id3[8] & 0x7F) << 7 | (id3[9] & 0x7F);
        start += 10 + size + ((id3[5] & 0x10) != 0 ? 10 : 0);
        tagged = true;
    }
    const Bytes data = tagged ? file.ReadAt(start, 65536 + 4) : head;
    // An untagged file must begin with a frame (after zero padding): a stray sync
    // word somewhere in an unknown file does not make it an MP3.
    std::size_t limit = tagged ? data.size() : 0;
    std::size_t first = 0;
    while (first < data.size() && data[first] == 0) {
        ++first;
    }
    limit = std::max(limit, first + 1);
    Mp3Frame frame;
    std::size_t at = first;
    bool found = false;
    for (; at < limit && at + 4 <= data.size(); ++at) {
        if (!ParseMp3Header(data.data() + at, &frame)) {
            continue;
        }
        // A frame counts when the next one follows where it says, or the file ends there.
        const std::uint64_t next = start + at + frame.Length;
        const Bytes following = file.ReadAt(next, 4);
        Mp3Frame second;
        if (next >= file.Size() ||
            (following.size() == 4 && ParseMp3Header(following.data(), &second))) {
            found = true;
            break;
        }
    }
    if (!found) {
        return tagged ? kSoundUnreadableFile : kSoundUnknownFormat;
    }
    const std::uint64_t frameStart = start + at;
    const Bytes first4k = file.ReadAt(frameStart, 4096);
    const std::size_t xing = 4 + (frame.Mpeg1 ? (frame.Mono ? 17 : 32) : (frame.Mono ? 9 : 17));
    if ((Has(first4k, xing, "Xing") || Has(first4k, xing, "Info")) && first4k.size() >= xing + 12 &&
        (Be32(first4k.data() + xing + 4) & 1) != 0) {
        *seconds =
            static_cast<double>(Be32(first4k.data() + xing + 8)) * frame.Samples / frame.Rate;
        return kSoundOk;
    }
    if (Has(first4k, 36, "VBRI") && first4k.size() >= 36 + 18) {
        *seconds = static_cast<double>(Be32(first4k.data() + 36 + 14)) * frame.Samples / frame.Rate;
        return kSoundOk;
    }
    std::uint64_t end = file.Size();
    if (end >= frameStart + 128 && Has(file.ReadAt(end - 128, 3), 0, "TAG")) {
        end -= 128;
    }
    *seconds = static_cast<double>(end - frameStart) * 8.0 / frame.Bitrate;
    return kSoundOk;
}

}  // namespace

SoundResult ReadSoundLength(const std::string& path, double* seconds) {
    if (seconds == nullptr) {
        return kSoundBadArgument;
    }
    *seconds = 0.0;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return kSoundFileMissing;
    }
    File file(path);
    if (!file.IsOpen()) {
        return kSoundFileMissing;
    }
    const Bytes head = file.ReadAt(0, 65536 + 4);
    if (Has(head, 0, "RIFF") && Has(head, 8, "WAVE")) {
        return WavLength(file, seconds);
    }
    if (Has(head, 0, "OggS")) {
        return OggLength(file, head, seconds);
    }
    if (Has(head, 0, "fLaC")) {
        return FlacLength(head, seconds);
    }
    return Mp3Length(file, head, seconds);
}

}  // namespace Velmora::Platform
