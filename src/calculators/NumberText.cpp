#include "NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace quivra::calculators {

namespace {

std::string_view trimmedView(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// from_chars rejects a leading "+", which people do type.
std::string_view dropPlus(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) return {};
    }
    return text;
}

}  // namespace

std::string trimBlanks(std::string_view text) {
    return std::string(trimmedView(text));
}

std::optional<int> parseInteger(std::string_view text) {
    text = dropPlus(trimmedView(text));
    if (text.empty()) return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<double> parseDecimal(std::string_view text) {
    text = dropPlus(trimmedView(text));
    if (text.empty()) return std::nullopt;
    double value = 0.0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string decimalText(double value, int significantDigits) {
    if (!std::isfinite(value)) return "0";
    if (significantDigits < 1) significantDigits = 1;
    if (significantDigits > 17) significantDigits = 17;
    // Round to the wanted significant digits through their decimal text, then
    // write the rounded value in the shortest fixed form that reads back to it.
    std::array<char, 64> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::general, significantDigits);
    double rounded = 0.0;
    std::from_chars(buffer.data(), end, rounded, std::chars_format::general);
    if (rounded == 0.0) return "0";
    std::array<char, 400> fixed{};
    auto result =
        std::to_chars(fixed.data(), fixed.data() + fixed.size(), rounded, std::chars_format::fixed);
    if (result.ec != std::errc()) return "0";
    return std::string(fixed.data(), result.ptr);
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

std::string notAnIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::string notAFloatMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid floating point value";
}

}  // namespace quivra::calculators
