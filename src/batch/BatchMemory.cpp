#include "batch/BatchMemory.h"

// Any C library header says which library it is.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace qv {

void keepFreedMemoryForReuse()
{
#if defined(__GLIBC__)
    // Blocks below 32 MiB (the most it takes) come from the heap, which keeps
    // up to 256 MiB freed at its top and grows 16 MiB at a time.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    // The heap grows now by enough for a lot and its overlay of 100000 points
    // each (address space only, until used), and the system is asked to back
    // it with large pages where it can: such a drawing touches thousands of
    // small pages for the first time, and each costs the system a fault of its own.
    mallopt(M_TOP_PAD, 96 << 20);
    void* block = std::malloc(8 << 20);
    mallopt(M_TOP_PAD, 16 << 20);
    if (block) {
        constexpr std::uintptr_t Large = std::uintptr_t{2} << 20;
        const auto from = (reinterpret_cast<std::uintptr_t>(block) + Large - 1) & ~(Large - 1);
        const auto to = reinterpret_cast<std::uintptr_t>(sbrk(0)) & ~(Large - 1);
        std::free(block);
        if (to > from) {
            madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
        }
    }
#endif
}

} // namespace qv
