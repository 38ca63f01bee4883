#pragma once
// TextExport: copies a table to a text file.  Type 21, delimited text, is
// described in docs/export-format.md.  The file is written under a temporary
// name, synced and renamed over the target, so a failed or cancelled export
// leaves an earlier file of that name untouched; every write error is
// reported.

#include "FileIo.h"
#include "Progress.h"
#include "Status.h"

#include <filesystem>

namespace quivra::storage {

class TableFile;

class TextExport {
public:
    static constexpr int kDelimited = 21;

    // `progress` (may be empty) hears the records visited of the table's
    // count after every batch and once more before the file is put in place;
    // a false answer stops with a Cancelled status and no file changed.
    static Status writeDelimited(const TableFile& table, FileIo& io,
                                 const std::filesystem::path& target,
                                 const ProgressFn& progress = {});
};

}  // namespace quivra::storage
