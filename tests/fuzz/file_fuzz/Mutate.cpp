#include <fstream>

#include "FileFuzz.h"

namespace Velmora::Fuzz {

namespace {

// Values at the edges of the sizes and counts that file headers carry.
const std::uint64_t kBoundaries[] = {
    0,
    1,
    2,
    0x7F,
    0x80,
    0xFF,
    0x100,
    0x7FFF,
    0x8000,
    0xFFFF,
    0x10000,
    0x7FFFFFFF,
    0x80000000,
    0xFFFFFFFE,
    0xFFFFFFFF,
    0x7FFFFFFFFFFFFFFF,
    0xFFFFFFFFFFFFFFFF,
};

void WriteValue(std::string& data, std::size_t at, std::uint64_t value, int width, bool big) {
    for (int i = 0; i < width && at + static_cast<std::size_t>(i) < data.size(); ++i) {
        const int shift = 8 * (big ? width - 1 - i : i);
        data[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> shift) & 0xFF);
    }
}

}  // namespace

std::string Mutate(Rng& rng, std::string data, const std::vector<std::string>& dictionary) {
    const int rounds = 1 + static_cast<int>(rng.Below(6));
    for (int round = 0; round < rounds; ++round) {
        const std::size_t size = data.size();
        const std::size_t at = rng.Below(size + 1);
        switch (rng.Below(10)) {
            case 0:
                if (size > 0) {
                    data[at % size] = static_cast<char>(data[at % size] ^ (1 << rng.Below(8)));
                }
                break;
            case 1:
                if (size > 0) {
                    data[at % size] = static_cast<char>(rng.Below(256));
                }
                break;
            case 2:
                data.insert(at, 1 + rng.Below(4), static_cast<char>(rng.Below(256)));
                break;
            case 3:
                data.erase(at, 1 + rng.Below(16));
                break;
            case 4:
                data.resize(rng.Below(size + 1));
                break;
            case 5:
                if (size > 0) {
                    const std::size_t from = rng.Below(size);
                    data.insert(at, data.substr(from, 1 + rng.Below(64)));
                }
                break;
            case 6:
            case 7:
                if (size > 0) {
                    const int widths[] = {1, 2, 4, 8};
                    const std::uint64_t value =
                        kBoundaries[rng.Below(sizeof(kBoundaries) / sizeof(kBoundaries[0]))] +
                        (rng.Chance(0.2) ? rng.Below(3) - 1 : 0);
                    WriteValue(data, at % size, value, widths[rng.Below(4)], rng.Chance(0.5));
                }
                break;
            case 8:
                if (!dictionary.empty()) {
                    data.insert(at, rng.Pick(dictionary));
                }
                break;
            default:
                if (size > 1) {
                    const std::size_t from = rng.Below(size);
                    const std::size_t to = rng.Below(size);
                    const std::size_t n =
                        std::min<std::size_t>(1 + rng.Below(32), std::min(size - from, size - to));
                    data.replace(to, n, data.substr(from, n));
                }
                break;
        }
    }
    return data;
}

void SplitInput(const std::string& input, std::string& header, std::string& payload) {
    const std::size_t end = input.find('\n');
    if (end == std::string::npos) {
        header = input;
        payload.clear();
        return;
    }
    header = input.substr(0, end);
    payload = input.substr(end + 1);
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

}  // namespace Velmora::Fuzz
