#pragma once
// The interpreter's small blocks (strings, tables, closures, upvalues). A cached
// callback still builds its file's table and closures on every run, so the C library's
// allocator was a fifth of it. The interpreter tells the size of every block it frees,
// which lets blocks of one size class go on a list of their own, with no header: taking
// and giving back are a few instructions. Blocks come from chunks kept until the
// interpreter is closed.
#include <cstddef>
#include <vector>

namespace Velmora {

class SmallBlocks {
public:
    static constexpr std::size_t kLargest = 256;
    static bool Fits(std::size_t size) { return size != 0 && size <= kLargest; }

    SmallBlocks() = default;
    ~SmallBlocks();
    SmallBlocks(const SmallBlocks&) = delete;
    SmallBlocks& operator=(const SmallBlocks&) = delete;

    // A block of size bytes (1 to kLargest), aligned as malloc aligns; null when
    // memory runs out.
    void* Take(std::size_t size);
    // Gives back a block Take returned for the same size class.
    void Give(void* block, std::size_t size);
    static bool SameClass(std::size_t a, std::size_t b) { return Class(a) == Class(b); }

private:
    static constexpr std::size_t kStep = 16;
    static constexpr std::size_t kChunkBytes = std::size_t{64} * 1024;
    static std::size_t Class(std::size_t size) { return (size - 1) / kStep; }
    struct FreeBlock {
        FreeBlock* Next;
    };

    FreeBlock* free_[kLargest / kStep] = {};
    char* next_ = nullptr;
    char* end_ = nullptr;
    std::vector<void*> chunks_;
};

}  // namespace Velmora
