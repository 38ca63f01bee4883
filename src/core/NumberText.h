#pragma once
// Numbers as texts: the one place where Quivra turns a typed or stored text
// into a number and a number into the text the user sees.  Nothing here looks
// at the process locale: the decimal separator is always ".".

#include "Status.h"  // notAnIntegerMessage, notAFloatMessage

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quivra::core {

// The text without blanks (spaces, tabs) at either end.
std::string_view trimBlanks(std::string_view text);

// A whole number in 32 bits: optional blanks around an optional sign and at
// least one decimal digit, nothing else.  "6x", "6.0", "", "0x10" and
// "99999999999" give no value.
std::optional<std::int32_t> parseInteger(std::string_view text);

// A decimal number: optional blanks around an optional sign, digits with an
// optional "." and fraction (at least one digit in all), and an optional
// exponent ("e" or "E", optional sign, digits).  Infinity, NaN, hexadecimal
// forms and values out of the double range give no value.
std::optional<double> parseDecimal(std::string_view text);

// `value` rounded to `significantDigits` significant digits (1..17) and
// written in its shortest fixed-point form: 255.7, 5, -10, 0.005.  Never uses
// an exponent; -0 is written as 0.
std::string decimalText(double value, int significantDigits = 15);

// `value` rounded to `decimals` digits after the "." (0..17; the exact
// binary value is rounded, a tie to even) and written with exactly that many
// digits: 303.9, 0.550, 84.  A value that rounds to zero has no sign; a value
// that is not finite is written "0".
std::string fixedText(double value, int decimals);

// Keeps at most `decimals` digits after the "." and drops the rest without
// rounding; with 0 the "." goes too.  A text without "." is returned whole.
// A negative number cut to zeros loses its sign ("-0.04" to one decimal is "0.0").
std::string cutDecimals(std::string_view text, int decimals);

// Number of characters of a UTF-8 text (bytes that do not continue a sequence).
std::size_t characterCount(std::string_view utf8);

// Deletes `count` characters starting at `pos` (fewer when the text ends
// sooner); a `pos` past the end leaves the text whole.
std::string deleteRun(std::string_view text, std::size_t pos, std::size_t count);

// Cuts `text` at the first `mark`: the mark and the 14 characters after it
// are deleted; a text without the mark stays whole.  This is how a size
// caption loses the note after it ("2213 (alt 2215)" becomes "2213") and how
// a "compound*recurve" chart entry keeps its compound part.
std::string cutAtFirst(std::string_view text, char mark);

}  // namespace quivra::core
