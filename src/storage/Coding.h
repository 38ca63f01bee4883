#pragma once
// Byte-order coding of the xBase formats.  Every integer read from or written
// to a file goes through these helpers; nothing copies whole structs.  DBF
// headers are little-endian, FoxPro memo (.FPT) headers and block numbers are
// big-endian.  Callers bounds-check the buffer before calling.

#include <cstdint>
#include <cstring>
#include <string>

namespace quivra::storage::coding {

inline std::uint16_t getLe16(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>(u[0] | (u[1] << 8));
}

inline std::uint32_t getLe32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint32_t>(u[0]) | (static_cast<std::uint32_t>(u[1]) << 8) |
           (static_cast<std::uint32_t>(u[2]) << 16) | (static_cast<std::uint32_t>(u[3]) << 24);
}

inline std::uint64_t getLe64(const char* p) {
    return static_cast<std::uint64_t>(getLe32(p)) |
           (static_cast<std::uint64_t>(getLe32(p + 4)) << 32);
}

inline std::uint16_t getBe16(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>((u[0] << 8) | u[1]);
}

inline std::uint32_t getBe32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return (static_cast<std::uint32_t>(u[0]) << 24) | (static_cast<std::uint32_t>(u[1]) << 16) |
           (static_cast<std::uint32_t>(u[2]) << 8) | static_cast<std::uint32_t>(u[3]);
}

inline void putLe16(char* p, std::uint16_t v) {
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>(v >> 8);
}

inline void putLe32(char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void putBe16(char* p, std::uint16_t v) {
    p[0] = static_cast<char>(v >> 8);
    p[1] = static_cast<char>(v & 0xFF);
}

inline void putBe32(char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * (3 - i))) & 0xFF);
}

// IEEE 754 double stored little-endian (Visual FoxPro type B).
inline double getLeDouble(const char* p) {
    const std::uint64_t bits = getLe64(p);
    double d = 0;
    std::memcpy(&d, &bits, sizeof d);  // one scalar, not a struct
    return d;
}

}  // namespace quivra::storage::coding
