#pragma once
// Field descriptions of an xBase table and the code pages a table may use.

#include <cstdint>
#include <string>

namespace quivra::storage {

// What a caller asks for when creating a table.
struct FieldSpec {
    std::string name;           // at most 10 characters, stored in upper case
    char type = 'C';            // C, N, F, D, L, M (creation); I, B, Y, T are read only
    std::uint8_t length = 0;    // ignored for D (8), L (1) and M (10 in FoxPro 2.x)
    std::uint8_t decimals = 0;  // N and F only
};

// A field as the open table holds it.
struct FieldDef {
    std::string name;  // as stored in the header, upper case
    char type = 'C';
    std::uint8_t length = 0;
    std::uint8_t decimals = 0;
    std::uint32_t offset = 0;  // from the start of the record; byte 0 is the deleted flag
};

// Code pages by their xBase language-driver byte.  Driver bytes 0 (not
// set) and 0x57 (ANSI) read as Cp1252.
enum class CodePage : std::uint8_t {
    Cp437 = 0x01,
    Cp850 = 0x02,
    Cp1252 = 0x03,
    Cp852 = 0x64,
    Cp866 = 0x65,
    Cp1250 = 0xC8,
    Cp1251 = 0xC9,
};

// A short name for people: "cp1252".
std::string codePageName(CodePage codePage);

}  // namespace quivra::storage
