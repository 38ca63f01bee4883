#pragma once
// What the customer windows say about a damaged table and the repair they
// offer.  A damaged table (see storage::TableStore::damage()) is open for
// reading only: saving, editing and exporting are refused until it is
// repaired.  The windows say so once, when they open it, and offer the
// repair; these are the rules and texts, the windows only show them.

#include "FileIo.h"
#include "Progress.h"
#include "Status.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace quivra::customers {

// The caption of the boxes about a damaged table.
inline constexpr const char* kDamagedTableTitle = "Damaged Table";

// A damaged table and the indexes its repair rebuilds.
struct DamagedTable {
    std::filesystem::path table;
    std::vector<std::filesystem::path> indexes;
    storage::Status damage;  // what is wrong, naming the file
};

// The question the windows ask, ending "Repair it now? ..." (Yes repairs).
std::string repairQuestion(const DamagedTable& damaged);
// What a window says when the user did not repair the table and the
// command needs to write or export it.
std::string refusedMessage(const DamagedTable& damaged);

// Repairs the table (dated backup first) and returns the message that says
// what was kept, dropped and where the backup is; or the failure.  `now`
// dates the backup.
storage::Result<std::string> repairTable(const DamagedTable& damaged, storage::FileIo& io,
                                         std::chrono::system_clock::time_point now,
                                         const storage::ProgressFn& progress = {});

// Saveddb.dbf of `dataDir` with its name index and the damage found by
// opening the table: ok when it is sound (or cannot be opened at all: the
// caller's own open reports that).
DamagedTable savedTableHealth(const std::filesystem::path& dataDir,
                              storage::FileIo& io = storage::FileIo::posix());
// The same for SHOPINFO.DBF.
DamagedTable shopTableHealth(const std::filesystem::path& dataDir,
                             storage::FileIo& io = storage::FileIo::posix());

}  // namespace quivra::customers
