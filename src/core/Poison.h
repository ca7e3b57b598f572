#pragma once
// Memory our own pools hand out again: a freed block stays unreadable to the address
// sanitizer until it is handed out once more, so a use after free is still reported.
// Without the sanitizer these do nothing.
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace Velmora {

inline void Poison(const void* block, std::size_t bytes) {
#if defined(__SANITIZE_ADDRESS__)
    ASAN_POISON_MEMORY_REGION(block, bytes);
#else
    (void)block;
    (void)bytes;
#endif
}

inline void Unpoison(const void* block, std::size_t bytes) {
#if defined(__SANITIZE_ADDRESS__)
    ASAN_UNPOISON_MEMORY_REGION(block, bytes);
#else
    (void)block;
    (void)bytes;
#endif
}

}  // namespace Velmora
