#pragma once
// Number texts as the user sees them: conversions from the texts of input
// fields and the "write it shortest, then cut the text" display rule.  All
// of it is independent of the process locale: "." is always the decimal
// separator.

#include <optional>
#include <string>
#include <string_view>

namespace quivra::calculators {

// `text` without the blanks around it.
std::string trimBlanks(std::string_view text);

// A whole number as typed: blanks around it are ignored, an optional sign,
// decimal digits only, within 32 bits.  nullopt for anything else (empty
// text included).
std::optional<int> parseInteger(std::string_view text);

// A decimal number as typed: blanks around it are ignored, "." as the
// separator, an optional sign and exponent.  nullopt for anything else.
std::optional<double> parseDecimal(std::string_view text);

// `value` rounded to `significantDigits` significant digits (1..17) and
// written in its shortest fixed-point form: 255.7, 5, -10, 0.005.  Never uses
// an exponent; -0 is written as 0.
std::string decimalText(double value, int significantDigits = 15);

// Keeps at most `decimals` digits after the "." and drops the rest without
// rounding; with 0 the "." goes too.  A text without "." is returned whole.
// A negative number cut to zeros loses its sign ("-0.04" to one decimal is "0.0").
std::string cutDecimals(std::string_view text, int decimals);

// The user's messages for texts that are not numbers.
std::string notAnIntegerMessage(std::string_view text);  // '%s' is not a valid integer value
std::string notAFloatMessage(std::string_view text);     // '%s' is not a valid floating point value

}  // namespace quivra::calculators
