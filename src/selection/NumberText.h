#pragma once
// Numbers as the window's texts and the tables' character fields carry them.
// Nothing here depends on a locale: the decimal separator is always ".".

#include "NumericText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quivra::selection {

// Whole and decimal numbers are read as the table store reads them.
using storage::parseDecimal;
using storage::parseInteger;
using storage::trimBlanks;

// Number of characters of a UTF-8 text (bytes that do not continue a sequence).
std::size_t characterCount(std::string_view utf8);

// Deletes `count` characters starting at `pos` (fewer when the text ends
// sooner); a `pos` past the end leaves the text whole.
std::string deleteRun(std::string_view text, std::size_t pos, std::size_t count);

// Cuts `text` at the first `mark`: the mark and the 14 characters after it
// are deleted; a text without the mark stays whole.
std::string cutAtFirst(std::string_view text, char mark);

// The bare-shaft weight caption: gpi x length + 0.5 written with up to 15
// significant digits (shortest form, exponent only where %g would use one),
// then the "." and at most 15 characters after it deleted.  That is the
// weight rounded half up to whole grains: 9.3 x 30 gives "279", 8.5 x 29
// gives "247".
std::string weightCaption(double gpi, double length);

}  // namespace quivra::selection
