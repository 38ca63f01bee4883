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

class TextExport {
public:
    static constexpr int kDelimited = 21;

    // `progress` (may be empty) hears of the records done; its false return
    // cancels with a Cancelled status.
    static Status writeDelimited(const TableFile& table, FileIo& io,
                                 const std::filesystem::path& target,
                                 const ProgressFn& progress = {});

    // Appends a UTF-8 text to `line` as a delimited value: trailing blanks
    // removed, in double quotes, quotes inside doubled (line breaks kept).
    static void appendQuotedText(std::string_view utf8, std::string& line);
};

}  // namespace quivra::storage
