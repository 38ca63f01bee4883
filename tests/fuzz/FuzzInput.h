#pragma once
// Splits one fuzz input into several files: each file but the last is
// preceded by its length (2 bytes, little-endian); the last takes the rest.
// A length past the end gives whatever bytes remain.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quivra::fuzz {

inline std::vector<std::string> splitFiles(const std::uint8_t* data, std::size_t size,
                                           std::size_t count) {
    std::vector<std::string> files;
    std::size_t pos = 0;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        std::size_t length = 0;
        if (pos + 2 <= size) length = data[pos] | (data[pos + 1] << 8);
        pos = std::min(pos + 2, size);
        length = std::min(length, size - pos);
        files.emplace_back(reinterpret_cast<const char*>(data + pos), length);
        pos += length;
    }
    files.emplace_back(reinterpret_cast<const char*>(data + pos), size - pos);
    return files;
}

}  // namespace quivra::fuzz
