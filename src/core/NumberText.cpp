#include "NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace quivra::core {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view text, std::size_t pos) {
    std::size_t n = 0;
    while (pos + n < text.size() && isDigit(text[pos + n])) ++n;
    return n;
}

// Splits off an optional sign; returns true for "-".
bool takeSign(std::string_view& text) {
    if (text.empty() || (text.front() != '+' && text.front() != '-')) return false;
    const bool negative = text.front() == '-';
    text.remove_prefix(1);
    return negative;
}

}  // namespace

std::string_view trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::string_view t = trimBlanks(text);
    const bool negative = takeSign(t);
    if (t.empty() || skipDigits(t, 0) != t.size()) return std::nullopt;
    // The magnitude is read in 64 bits so that -2147483648 is accepted.
    std::int64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), magnitude);
    if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<double> parseDecimal(std::string_view text) {
    std::string_view t = trimBlanks(text);
    const bool negative = takeSign(t);
    // The whole form is checked first: from_chars alone would accept "inf",
    // "nan" and hexadecimal digits, and stop early on trailing text.
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

std::string decimalText(double value, int significantDigits) {
    if (!std::isfinite(value)) return "0";
    if (significantDigits < 1) significantDigits = 1;
    if (significantDigits > 17) significantDigits = 17;
    // Round to the wanted significant digits through their decimal text, then
    // write the rounded value in the shortest fixed form that reads back to it.
    std::array<char, 64> buffer{};
    const auto rounding = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                        std::chars_format::general, significantDigits);
    double rounded = 0.0;
    std::from_chars(buffer.data(), rounding.ptr, rounded, std::chars_format::general);
    if (rounded == 0.0) return "0";
    std::array<char, 400> fixed{};
    const auto result =
        std::to_chars(fixed.data(), fixed.data() + fixed.size(), rounded, std::chars_format::fixed);
    if (result.ec != std::errc()) return "0";
    return {fixed.data(), result.ptr};
}

std::string fixedText(double value, int decimals) {
    if (!std::isfinite(value)) return "0";
    decimals = std::clamp(decimals, 0, 17);
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "0";
    std::string text(buffer.data(), result.ptr);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string cutDecimals(std::string_view text, int decimals) {
    std::string out(text);
    const auto point = out.find('.');
    if (point != std::string::npos) {
        const auto keep = decimals <= 0 ? point : point + 1 + static_cast<std::size_t>(decimals);
        if (keep < out.size()) out.resize(keep);
    }
    // A negative number cut to nothing but zeros shows no sign.
    if (!out.empty() && out.front() == '-' && out.find_first_not_of("-0.") == std::string::npos) {
        out.erase(0, 1);
    }
    return out;
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

}  // namespace quivra::core
