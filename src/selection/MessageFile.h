#pragma once
// The invalid-selection message: the first line of invsel.txt.

#include "Status.h"

#include <filesystem>
#include <string>

namespace quivra::selection {

// Longest message shown, in characters; the rest of a longer line is dropped.
inline constexpr std::size_t kMaxMessageLength = 150;

// Reads the first line of `file` (without its CR/LF), cut to
// kMaxMessageLength characters, as UTF-8.  A line that is not valid UTF-8 is
// taken as Windows-1252, the code page such files are written in.  A missing
// or unreadable file gives a NotFound or IoError status naming it.
storage::Result<std::string> readMessageLine(const std::filesystem::path& file);

}  // namespace quivra::selection
