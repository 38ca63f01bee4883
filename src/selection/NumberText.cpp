#include "NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace quivra::selection {

std::size_t characterCount(std::string_view utf8) {
    std::size_t n = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) ++n;
    }
    return n;
}

std::string deleteRun(std::string_view text, std::size_t pos, std::size_t count) {
    std::string out(text);
    if (pos < out.size()) out.erase(pos, count);
    return out;
}

std::string cutAtFirst(std::string_view text, char mark) {
    const std::size_t pos = text.find(mark);
    if (pos == std::string_view::npos) return std::string(text);
    return deleteRun(text, pos, 15);
}

std::string weightCaption(double gpi, double length) {
    const double weight = gpi * length + 0.5;
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), weight,
                                         std::chars_format::general, 15);
    // 64 characters hold any double at 15 digits; ec cannot be set.
    const std::string_view written(
        buffer.data(), ec == std::errc() ? static_cast<std::size_t>(end - buffer.data()) : 0);
    const std::size_t dot = written.find('.');
    if (dot == std::string_view::npos) return std::string(written);
    return deleteRun(written, dot, 15);
}

}  // namespace quivra::selection
