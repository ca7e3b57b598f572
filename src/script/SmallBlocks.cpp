#include "script/SmallBlocks.h"

#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
// A block given back stays unreadable until it is taken again, so that the address
// sanitizer still reports a use after free inside the interpreter.
#define VELMORA_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define VELMORA_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define VELMORA_POISON(p, n) ((void)(p), (void)(n))
#define VELMORA_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace Velmora {

SmallBlocks::~SmallBlocks() {
    for (void* chunk : chunks_) {
        VELMORA_UNPOISON(chunk, kChunkBytes);
        std::free(chunk);
    }
}

void* SmallBlocks::Take(std::size_t size) {
    const std::size_t sizeClass = Class(size);
    const std::size_t bytes = (sizeClass + 1) * kStep;
    if (FreeBlock* head = free_[sizeClass]) {
        VELMORA_UNPOISON(head, bytes);
        free_[sizeClass] = head->Next;
        return head;
    }
    if (static_cast<std::size_t>(end_ - next_) < bytes) {
        // The interpreter is C: no exception may leave here.
        try {
            chunks_.reserve(chunks_.size() + 1);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        char* chunk = static_cast<char*>(std::malloc(kChunkBytes));
        if (chunk == nullptr) {
            return nullptr;
        }
        chunks_.push_back(chunk);
        VELMORA_POISON(chunk, kChunkBytes);
        next_ = chunk;  // the old chunk's last few bytes stay unused
        end_ = chunk + kChunkBytes;
    }
    void* block = next_;
    next_ += bytes;
    VELMORA_UNPOISON(block, bytes);
    return block;
}

void SmallBlocks::Give(void* block, std::size_t size) {
    const std::size_t sizeClass = Class(size);
    auto* freed = static_cast<FreeBlock*>(block);
    freed->Next = free_[sizeClass];
    free_[sizeClass] = freed;
    VELMORA_POISON(block, (sizeClass + 1) * kStep);
}

}  // namespace Velmora
