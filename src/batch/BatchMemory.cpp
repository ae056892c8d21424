#include "batch/BatchMemory.h"

// Any C library header says which library it is.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace qv {

void keepFreedMemoryForReuse()
{
#if defined(__GLIBC__)
    // Blocks below 32 MiB (the most it takes) come from the heap, which keeps
    // up to 256 MiB freed at its top and grows 16 MiB at a time.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_TOP_PAD, 16 << 20);
#endif
}

} // namespace qv
