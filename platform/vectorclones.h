#pragma once
// The hot loops are compiled for the base x86-64 and again for AVX2 (twice the lanes, gathers);
// the loader picks the one the processor runs. Both do the same operations in the same order on
// each value, so results do not depend on the choice. Sanitizer builds keep one plain version.

#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
#define PLATFORM_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define PLATFORM_VECTOR_CLONES
#endif
