#pragma once
// IdxBuilder: writes a complete standard-layout .idx for a table in one pass:
// evaluate every record's key, sort by (key, record number), then write full
// leaves left to right and the interior levels above them.  The file is
// written under a temporary name in the same folder, synced and renamed over
// `target`, so an old index survives any failure.

#include "FileIo.h"
#include "KeyExpression.h"
#include "Progress.h"
#include "Status.h"

#include <filesystem>

namespace quivra::storage {

class TableFile;

class IdxBuilder {
public:
    // Builds the index of every record of `table` (deleted ones included, as
    // FoxPro does) on `expression`.  `keyLength` is the width of the keys to
    // write (normally expression.width()), 1 to KeyExpression::kMaxKeyLength.
    // `progress` (may be empty) hears the records read of the table's count
    // after every batch and once more before the file is put in place; a
    // false answer stops with a Cancelled status and `target` untouched.
    static Status build(const std::filesystem::path& target, FileIo& io, const TableFile& table,
                        const KeyExpression& expression, std::size_t keyLength,
                        const ProgressFn& progress = {});
};

}  // namespace quivra::storage
