#pragma once
// The customer export: every saved set-up, in the order the set-ups were
// saved, to custdb.txt in the data folder as delimited text (one line per
// record, every field in the table's order).

#include "Progress.h"
#include "Status.h"

#include <filesystem>

namespace quivra::customers {

// The message shown once the export file is complete.
inline constexpr const char* kExportDoneMessage = "File CUSTDB.TXT has been created";

// Writes custdb.txt beside Saveddb.dbf in `dataDir`.  The file is written
// under a temporary name and renamed when complete, so a failure leaves any
// earlier export as it was.  Ok only when the new file is in place.
// `progress` (may be empty) hears the set-ups written; a false answer stops
// the export with a Cancelled status and the earlier file untouched.
storage::Status exportCustomers(const std::filesystem::path& dataDir,
                                const storage::ProgressFn& progress = {});

}  // namespace quivra::customers
