#pragma once
// Field codec: turns the bytes of one field into the text the API gives out,
// and a caller's text into the bytes of a field.  Memo fields are not handled
// here (their bytes are a block pointer; TableFile reads the memo file).

#include "FieldDef.h"
#include "Status.h"
#include "TextCodec.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quivra::storage::fieldcodec {

// Appends the text of a non-memo field to `out` (see TableStore::fieldText).
void appendText(const FieldDef& field, std::string_view bytes, const TextCodec& codec,
                std::string& out);

// Writes `utf8` into the bytes of a C, N, F, D or L field (`bytes` is the
// field's slice of the record).  Refuses, naming the field: texts the code
// page cannot hold, numbers that are not numbers or do not fit, dates that
// are not YYYYMMDD, logicals that are not T/F/Y/N.
Status encode(const FieldDef& field, std::string_view utf8, const TextCodec& codec, char* bytes);

// The block number stored in a memo field; nullopt when the field holds none.
// Fails on bytes that are neither blank nor a number.
Result<std::optional<std::uint32_t>> memoBlock(const FieldDef& field, std::string_view bytes);
// Writes a block number (0: no memo) into a 10-byte FoxPro 2.x memo field.
void putMemoBlock(const FieldDef& field, std::uint32_t block, char* bytes);

// Converting texts to numbers as the user sees it (blanks read as 0).
Result<std::int32_t> parseInt(std::string_view text);
Result<double> parseFloat(std::string_view text);

std::string_view trim(std::string_view s);
std::string_view trimRight(std::string_view s);

}  // namespace quivra::storage::fieldcodec
