#pragma once
// Texts the customer tables cannot hold.  A table keeps its texts in one
// single-byte code page (cp1252 for the delivered tables), so a letter such
// as 'Ł' cannot be saved in it.  The save is refused with a message the
// clerk understands, naming the field by the caption the window shows:
//   "The letter 'Ł' in Shop Name cannot be stored. Please type it without
//    the accent."
// A character that is not a Latin letter with a mark (a euro sign in a
// cp437 table, a Cyrillic letter) gets
//   "The character '€' in Shop Name cannot be stored. Please leave it out."

#include "Status.h"

#include <string>
#include <string_view>

namespace quivra::storage {
class TableStore;
}

namespace quivra::customers {

// The message for `character` (one character, UTF-8) in the field shown as `caption`.
std::string unstorableMessage(std::string_view caption, std::string_view character);

// Ok when the open `table` can hold every character of `text`, else an
// Encoding status carrying unstorableMessage() for the first one it cannot.
storage::Status checkStorable(const storage::TableStore& table, std::string_view caption,
                              std::string_view text);

// `text` (UTF-8) with every letter beyond ASCII written as '?', for a table
// written out from texts no window checked (an export): each such letter
// is marked, never dropped.
std::string withUnstorableMarked(std::string_view text);

// The text without the blanks a character field pads it with.
std::string withoutTrailingBlanks(std::string text);

}  // namespace quivra::customers
