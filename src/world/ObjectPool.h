#pragma once
// Storage for a world's objects and actions. The heap scatters them among the strings,
// map nodes and script data made between them, and a pass over tens of thousands then
// waits on memory for each; here they lie in blocks of slots of their own size, in the
// order they were made, and a freed slot goes to the next one of its size. Every slot
// starts on a cache line, so that the fields a pass reads at the front of an object
// share the fewest lines. Blocks are kept until the pool goes (with its world).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace Velmora {

class ObjectPool {
public:
    ObjectPool() = default;
    ~ObjectPool();
    ObjectPool(const ObjectPool&) = delete;
    ObjectPool& operator=(const ObjectPool&) = delete;

    static constexpr std::size_t kLine = 64;
    static constexpr std::size_t kLargestSlot = 1024;

    // Constructs a T in a slot; the slot is given back if the constructor throws.
    template <typename T, typename... Args>
    T* New(Args&&... args) {
        static_assert(sizeof(T) <= kLargestSlot, "too large for the object pool");
        static_assert(alignof(T) <= kLine, "aligned beyond a cache line");
        void* slot = Allocate(sizeof(T));
        try {
            return ::new (slot) T(std::forward<Args>(args)...);
        } catch (...) {
            Free(slot);
            throw;
        }
    }

    // Destroys what New made (its most derived type, through a virtual destructor where
    // there is one) and frees its slot.
    template <typename T>
    void Delete(T* object) noexcept {
        if (object != nullptr) {
            object->~T();
            Free(object);
        }
    }

    // Slots in use; what New made and Delete has not freed yet.
    std::size_t InUse() const { return inUse_; }

private:
    // Blocks are aligned to their size, so a slot finds its block's header, and from it
    // its size, by its address alone.
    static constexpr std::size_t kBlockBytes = std::size_t{64} * 1024;
    static constexpr std::size_t kClasses = kLargestSlot / kLine;
    struct BlockHeader {
        std::size_t SizeClass;
    };
    struct FreeSlot {
        FreeSlot* Next;
    };

    void* Allocate(std::size_t size);
    void Free(void* slot) noexcept;
    void AddBlock(std::size_t sizeClass);

    FreeSlot* free_[kClasses] = {};
    // The unused end of each size's newest block.
    char* next_[kClasses] = {};
    char* end_[kClasses] = {};
    std::vector<void*> blocks_;
    std::size_t inUse_ = 0;
};

// Owns an object made by a pool's New.
struct PoolDelete {
    ObjectPool* Pool;
    template <typename T>
    void operator()(T* object) const noexcept {
        Pool->Delete(object);
    }
};
template <typename T>
using PoolPtr = std::unique_ptr<T, PoolDelete>;

}  // namespace Velmora
