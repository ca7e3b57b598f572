#pragma once
// A bounded random and mutation fuzzer for everything the engine reads from files:
// frame lists, script files, pictures, sounds and replayed input. Each input is one
// byte string "<header line>\n<payload>" (the header says what the payload is for, see
// each target), so inputs that once failed can be kept as files and replayed.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace Velmora::Fuzz {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : engine_(seed) {}
    std::uint64_t Next() { return engine_(); }
    // 0 to n - 1; 0 when n is 0.
    std::size_t Below(std::size_t n) {
        return n == 0 ? 0 : static_cast<std::size_t>(engine_() % n);
    }
    int Between(int low, int high) {
        return low + static_cast<int>(Below(static_cast<std::size_t>(high - low) + 1));
    }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_) < p; }
    double Real(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(engine_);
    }
    template <typename T>
    const T& Pick(const std::vector<T>& list) {
        return list[Below(list.size())];
    }

private:
    std::mt19937_64 engine_;
};

// Applies a few random edits: bit flips, byte changes, insertions and removals,
// truncation, copies within the data, boundary integers written over sizes and counts,
// and tokens from the dictionary.
std::string Mutate(Rng& rng, std::string data, const std::vector<std::string>& dictionary);

// Splits an input into its header line and its payload.
void SplitInput(const std::string& input, std::string& header, std::string& payload);

void WriteFile(const std::string& path, const std::string& content);

struct Target {
    const char* Name;
    // Builds one input from the target's seeds.
    std::string (*Generate)(Rng& rng);
    // Feeds one input to the engine; false, with *why, when a property fails. A crash
    // or a sanitizer report ends the process instead.
    bool (*Run)(const std::string& input, std::string* why);
};

const std::vector<Target>& Targets();

// Hand-built files of every format the engine reads, valid, for mutation.
std::vector<std::string> SoundSeeds();
std::vector<std::pair<std::string, std::string>> PictureSeeds();  // extension, bytes

}  // namespace Velmora::Fuzz
