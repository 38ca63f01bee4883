#pragma once
// The widths of a table's character fields, so that an edit bound to a field
// never takes more characters than the field keeps.

#include "Status.h"

#include <filesystem>
#include <map>
#include <string>

namespace quivra::customers {

// Field name (upper case) -> width in characters, for the C fields of `table`.
using FieldWidths = std::map<std::string, int, std::less<>>;

storage::Result<FieldWidths> characterFieldWidths(const std::filesystem::path& table);

}  // namespace quivra::customers
