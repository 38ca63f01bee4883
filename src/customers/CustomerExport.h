#pragma once
// The customer export: every saved set-up, in the order the set-ups were
// saved, to custdb.txt in the data folder as delimited text (one line per
// record, every field in the table's order), and the arrows built for them
// to builds.txt beside it (BuildsExport.h).

#include "Progress.h"
#include "Status.h"

#include <filesystem>

namespace quivra::customers {

// The message shown once the export files are complete.  A shop that has
// saved builds is also told of builds.txt, on a second line.
inline constexpr const char* kExportDoneMessage = "File CUSTDB.TXT has been created";
inline constexpr const char* kBuildsExportDoneMessage = "File BUILDS.TXT has been created";

// Writes custdb.txt and builds.txt beside Saveddb.dbf in `dataDir`.  Both
// are written under temporary names and put in place when both are
// complete, so a failure leaves the earlier exports as they were.  Ok only
// when the new files are in place.  `progress` (may be empty) hears the
// set-ups and builds written; a false answer stops the export with a
// Cancelled status and the earlier files untouched.
storage::Status exportCustomers(const std::filesystem::path& dataDir,
                                const storage::ProgressFn& progress = {});

}  // namespace quivra::customers
