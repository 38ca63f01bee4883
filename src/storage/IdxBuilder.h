#pragma once
// IdxBuilder: writes a complete standard-layout .idx for a table in one pass:
// evaluate every record's key, sort by (key, record number), then write full
// leaves left to right and the interior levels above them.  The file is
// written under a temporary name in the same folder, synced and renamed over
// `target`, so an old index survives any failure or a cancel.  Temporary
// files that killed builds left in the folder are removed first.
//
// The caller holds the table's header lock (TableFile::HeaderLock), so that
// no post changes the table or the old index meanwhile.

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
    // `progress` (may be empty) hears of the records keyed; its false return
    // cancels with a Cancelled status and leaves `target` as it was.
    static Status build(const std::filesystem::path& target, FileIo& io, const TableFile& table,
                        const KeyExpression& expression, std::size_t keyLength,
                        const ProgressFn& progress = {});
    // The same, but the new file is left under its temporary name (in the
    // folder of `target`), which is returned; the caller renames or removes it.
    static Result<std::filesystem::path> buildTemporary(const std::filesystem::path& target,
                                                        FileIo& io, const TableFile& table,
                                                        const KeyExpression& expression,
                                                        std::size_t keyLength,
                                                        const ProgressFn& progress = {});
};

}  // namespace quivra::storage
