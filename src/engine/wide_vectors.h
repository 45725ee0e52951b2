#pragma once
// 512-bit vector code: compiled for processors that have it, chosen at run time. Every such
// routine has a plain counterpart giving the same results, used where the processor lacks it.

// Marks a function compiled for 512-bit vectors; call it only where wideVectorsAvailable().
#define DRAVENOR_WIDE __attribute__((target("avx512f,avx512dq")))

namespace dravenor {

bool wideVectorsAvailable();

} // namespace dravenor
