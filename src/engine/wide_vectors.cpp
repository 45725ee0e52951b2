#include "engine/wide_vectors.h"

namespace dravenor {

bool wideVectorsAvailable()
{
    static const bool available = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq");
    return available;
}

} // namespace dravenor
