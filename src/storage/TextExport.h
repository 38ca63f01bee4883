#pragma once
// TextExport: copies a table to a text file.  Type 21, delimited text, is
// described in docs/export-format.md.  The file is written under a temporary
// name, synced and renamed over the target, so a failed or cancelled export
// leaves an earlier file of that name untouched; every write error is
// reported.  A damaged table is not exported: its damage is the answer.
// Temporary files that killed exports left in the folder are removed first.

#include "FileIo.h"
#include "Progress.h"
#include "Status.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace quivra::storage {

class TableFile;

// Appends `utf8` to `line` as one delimited-text value: in double quotes,
// every quote inside doubled (RFC 4180).  Line breaks stay inside the quotes.
void appendQuotedText(std::string_view utf8, std::string& line);

class TextExport {
public:
    static constexpr int kDelimited = 21;

    // `progress` (may be empty) hears of the records done; its false return
    // cancels with a Cancelled status.
    static Status writeDelimited(const TableFile& table, FileIo& io,
                                 const std::filesystem::path& target,
                                 const ProgressFn& progress = {});
};

}  // namespace quivra::storage
