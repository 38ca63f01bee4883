#pragma once
// TableRepair: mends a damaged table so that it can be written again,
// keeping every whole record.
//
//   1. Copies the table, its memo file and the given indexes to a dated
//      backup beside them (DatedBackup; an earlier backup is never replaced).
//   2. Reads every whole record on file, beyond the header's count too.
//      A deleted flag other than blank or '*' becomes a blank (the record is
//      kept as a live one); a memo that cannot be read is cleared from its
//      field.
//   3. Builds each index anew (under a temporary name).
//   4. Writes the mended records, the count of whole records and the end
//      marker; bytes of a record cut off, and anything after the end marker,
//      go.  A memo file whose next free block lies beyond its end is set
//      back to its end.  Then the new indexes replace the old ones.
// All of it runs under the table's header lock.  Until step 4 nothing but
// the backup is written, so a cancel through `progress` (or a failure)
// before it leaves every file exactly as it was, backup removed.
//
// Tables whose field descriptions are damaged (types, decimals, names,
// header length) are not repaired: the records cannot be told apart from
// their fields.  Such a table gives an Unsupported status saying so.

#include "FileIo.h"
#include "Progress.h"
#include "Status.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quivra::storage {

struct RepairReport {
    std::uint32_t kept = 0;                      // records in the table now
    std::vector<std::string> mended;             // what was dropped or changed, one line each
    std::vector<std::filesystem::path> backups;  // the copies made before

    // "Kept 3 records. Dropped 40 bytes after record 3 (...). ..."
    [[nodiscard]] std::string text() const;
};

class TableRepair {
public:
    // Repairs `table` and rebuilds `indexes` (each on its own key
    // expression; an index file that is missing or unreadable is reported
    // in the lines and left).  `now` dates the backup.  `progress` (may be
    // empty) hears of the work done in records; its false return cancels
    // with a Cancelled status.  Busy when another handle holds the header
    // lock for longer than `lockWait`.
    static Result<RepairReport> repair(
        const std::filesystem::path& table, const std::vector<std::filesystem::path>& indexes,
        FileIo& io, std::chrono::system_clock::time_point now, const ProgressFn& progress = {},
        std::chrono::milliseconds lockWait = std::chrono::milliseconds(2000));
};

}  // namespace quivra::storage
