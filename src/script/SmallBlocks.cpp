#include "script/SmallBlocks.h"

#include <cstdlib>
#include <new>

#include "core/Poison.h"

namespace Velmora {

SmallBlocks::~SmallBlocks() {
    for (void* chunk : chunks_) {
        Unpoison(chunk, kChunkBytes);
        std::free(chunk);
    }
}

void* SmallBlocks::Take(std::size_t size) {
    const std::size_t sizeClass = Class(size);
    const std::size_t bytes = (sizeClass + 1) * kStep;
    if (FreeBlock* head = free_[sizeClass]) {
        Unpoison(head, bytes);
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
        Poison(chunk, kChunkBytes);
        next_ = chunk;  // the old chunk's last few bytes stay unused
        end_ = chunk + kChunkBytes;
    }
    void* block = next_;
    next_ += bytes;
    Unpoison(block, bytes);
    return block;
}

void SmallBlocks::Give(void* block, std::size_t size) {
    const std::size_t sizeClass = Class(size);
    auto* freed = static_cast<FreeBlock*>(block);
    freed->Next = free_[sizeClass];
    free_[sizeClass] = freed;
    Poison(block, (sizeClass + 1) * kStep);
}

}  // namespace Velmora
