#pragma once
// DatedBackup: copies of a table's files beside them, before a repair
// changes anything.  One date and time names the whole set, so that a table
// and its memo file stay a pair another program can open:
//   Saveddb.dbf, Saveddb.fpt, Saved.idx
//   -> Saveddb-backup-2026-03-07-143502.dbf, Saveddb-backup-2026-03-07-143502.fpt,
//      Saved-backup-2026-03-07-143502.idx
// An existing file is never overwritten: when any name of the set is taken,
// the set is named "...-143502-2", "-3" and so on.

#include "FileIo.h"
#include "Progress.h"
#include "Status.h"

#include <chrono>
#include <filesystem>
#include <vector>

namespace quivra::storage {

class DatedBackup {
public:
    // Copies each of `files` that exists (synced), dated by `now` in local
    // time, and returns the copies in the order of `files`.  `progress`
    // (may be empty) hears of the bytes copied of all files together; its
    // false return cancels.  On any failure or cancel the copies made so far
    // are removed again.
    static Result<std::vector<std::filesystem::path>> copy(
        FileIo& io, const std::vector<std::filesystem::path>& files,
        std::chrono::system_clock::time_point now, const ProgressFn& progress = {});

    // The name of the backup of `file` for a date text such as
    // "2026-03-07-143502".
    static std::filesystem::path nameFor(const std::filesystem::path& file,
                                         const std::string& dateText);
};

}  // namespace quivra::storage
