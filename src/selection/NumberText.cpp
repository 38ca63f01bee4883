#include "NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace quivra::selection {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimSpaceAndTab(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Consumes a run of digits from the front; returns how many.
std::size_t skipDigits(std::string_view text, std::size_t pos) {
    std::size_t n = 0;
    while (pos + n < text.size() && isDigit(text[pos + n])) ++n;
    return n;
}

}  // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::string_view t = trimSpaceAndTab(text);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    if (t.empty() || skipDigits(t, 0) != t.size()) return std::nullopt;
    // Parse the magnitude in 64 bits so that -2147483648 is accepted.
    std::int64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), magnitude);
    if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<double> parseDecimal(std::string_view text) {
    std::string_view t = trimSpaceAndTab(text);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    // Check the whole form first: from_chars alone would accept "inf",
    // "nan" and stop early on trailing text.
    std::size_t pos = skipDigits(t, 0);
    std::size_t mantissaDigits = pos;
    if (pos < t.size() && t[pos] == '.') {
        const std::size_t fraction = skipDigits(t, pos + 1);
        mantissaDigits += fraction;
        pos += 1 + fraction;
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (pos < t.size() && (t[pos] == 'e' || t[pos] == 'E')) {
        std::size_t p = pos + 1;
        if (p < t.size() && (t[p] == '+' || t[p] == '-')) ++p;
        const std::size_t exponentDigits = skipDigits(t, p);
        if (exponentDigits == 0) return std::nullopt;
        pos = p + exponentDigits;
    }
    if (pos != t.size()) return std::nullopt;

    double value = 0.0;
    const auto [end, ec] =
        std::from_chars(t.data(), t.data() + t.size(), value, std::chars_format::general);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::string_view trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

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
