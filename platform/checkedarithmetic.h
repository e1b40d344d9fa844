#pragma once
// Unsigned arithmetic that reports wrap-around instead of hiding it, for sizes computed from
// untrusted counts.

#include <cstdint>
#include <limits>

namespace platform {

// True when a * b does not fit; otherwise stores the product in `result`.
inline bool multiplyOverflows(std::uint64_t a, std::uint64_t b, std::uint64_t* result)
{
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_mul_overflow(a, b, result);
#else
    if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a)
        return true;
    *result = a * b;
    return false;
#endif
}

// True when a + b does not fit; otherwise stores the sum in `result`.
inline bool addOverflows(std::uint64_t a, std::uint64_t b, std::uint64_t* result)
{
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_add_overflow(a, b, result);
#else
    if (b > std::numeric_limits<std::uint64_t>::max() - a)
        return true;
    *result = a + b;
    return false;
#endif
}

} // namespace platform
