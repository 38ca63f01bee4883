#pragma once
// Upper- and lower-case mapping of single bytes in a table's code page, as the
// key functions UPPER() and LOWER() apply it.  Letters outside ASCII map only
// when the code page holds both cases as single bytes; everything else maps
// to itself.

#include "FieldDef.h"

#include <array>
#include <cstdint>

namespace quivra::storage {

using ByteMap = std::array<std::uint8_t, 256>;

// Tables live for the whole program; the reference stays valid.
const ByteMap& upperCaseMap(CodePage codePage);
const ByteMap& lowerCaseMap(CodePage codePage);

}  // namespace quivra::storage
