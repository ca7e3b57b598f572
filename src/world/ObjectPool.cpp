#include "world/ObjectPool.h"

#include <cassert>
#include <cstdint>

#include "core/Poison.h"

namespace Velmora {

ObjectPool::~ObjectPool() {
    // Every object and action is destroyed before its world's pool: stages, the system
    // object and the templates go first.
    assert(inUse_ == 0);
    for (void* block : blocks_) {
        Unpoison(block, kBlockBytes);
        ::operator delete (block, std::align_val_t{kBlockBytes});
    }
}

void* ObjectPool::Allocate(std::size_t size) {
    const std::size_t sizeClass = (size + kLine - 1) / kLine - 1;
    const std::size_t slotBytes = (sizeClass + 1) * kLine;
    void* slot = nullptr;
    if (FreeSlot* head = free_[sizeClass]) {
        Unpoison(head, slotBytes);
        free_[sizeClass] = head->Next;
        slot = head;
    } else {
        if (next_[sizeClass] == nullptr ||
            static_cast<std::size_t>(end_[sizeClass] - next_[sizeClass]) < slotBytes) {
            AddBlock(sizeClass);
        }
        slot = next_[sizeClass];
        next_[sizeClass] += slotBytes;
        Unpoison(slot, slotBytes);
    }
    ++inUse_;
    return slot;
}

void ObjectPool::Free(void* slot) noexcept {
    const auto address = reinterpret_cast<std::uintptr_t>(slot);
    const auto* header = reinterpret_cast<const BlockHeader*>(address & ~(kBlockBytes - 1));
    const std::size_t sizeClass = header->SizeClass;
    auto* freed = static_cast<FreeSlot*>(slot);
    freed->Next = free_[sizeClass];
    free_[sizeClass] = freed;
    Poison(slot, (sizeClass + 1) * kLine);
    --inUse_;
}

void ObjectPool::AddBlock(std::size_t sizeClass) {
    blocks_.reserve(blocks_.size() + 1);
    char* block = static_cast<char*>(::operator new (kBlockBytes, std::align_val_t{kBlockBytes}));
    blocks_.push_back(block);
    ::new (block) BlockHeader{sizeClass};
    next_[sizeClass] = block + kLine;
    end_[sizeClass] = block + kBlockBytes;
    Poison(next_[sizeClass], kBlockBytes - kLine);
}

}  // namespace Velmora
