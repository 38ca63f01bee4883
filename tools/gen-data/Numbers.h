#pragma once
// Locale-independent number texts for the data files (std::to_chars and
// std::from_chars never look at the process locale, which Qt changes).

#include <optional>
#include <string>
#include <string_view>

namespace quivra::gendata {

// `value` with exactly `decimals` digits after the point ("0.461").
std::string fixed(double value, int decimals);
// A whole number as decimal text.
std::string integerText(long value);
// The whole text as a decimal number (blanks around it allowed), or nullopt.
std::optional<double> parseDouble(std::string_view text);
// The whole text as a whole number (blanks around it allowed), or nullopt.
std::optional<long> parseInteger(std::string_view text);
// The text without blanks at either end.
std::string_view trimmed(std::string_view text);

}  // namespace quivra::gendata
