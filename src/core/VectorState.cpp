#include "core/VectorState.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#endif

namespace qv {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

namespace {

__attribute__((target("avx"))) void zeroUpper() noexcept
{
    _mm256_zeroupper();
}

} // namespace

void clearUpperVectorState() noexcept
{
    // The feature test also asks whether the system saves the wide registers.
    static const bool hasAvx = (__builtin_cpu_init(), __builtin_cpu_supports("avx") != 0);
    if (hasAvx) {
        zeroUpper();
    }
}

#else

void clearUpperVectorState() noexcept {}

#endif

} // namespace qv
