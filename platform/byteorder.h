#pragma once
// The machine's byte order, for formats that store numbers least significant byte first.

namespace platform {

#if defined(__BYTE_ORDER__) && defined(__ORDER_LITTLE_ENDIAN__)
constexpr bool littleEndianHost = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
#elif defined(_WIN32)
constexpr bool littleEndianHost = true; // every Windows target is little-endian
#else
#error "unknown byte order"
#endif

} // namespace platform
