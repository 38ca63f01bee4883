#pragma once
// ReferenceData: keeps the user's data folder in step with the installed
// reference data (<prefix>/share/quivra).
//
// The installed folder holds two kinds of files:
//   - reference files (charts, catalogue, trajectory table, texts, pictures),
//     which the program only reads and a new release may change;
//   - the shop's own files in their first state (an empty saved-set-ups
//     table with its memo and index, the shop details), which the shop then
//     fills.  Any file named after the saved set-ups, the shop details, the
//     builds or the export (isShopFile()) counts as the shop's, whatever its
//     extension, so indexes and memo files of our own tables are covered too.
//
// A stamp of the installed files (names, sizes, modification times) is kept
// in the data folder as `.quivra-reference`.  While it matches, a start does
// no more than list the installed folder.  When it differs (first start, an
// upgrade, a reinstall), every reference file whose content differs is
// replaced, each by a copy under a temporary name renamed over the old file;
// a shop file is copied only when the data folder holds no file of its table
// at all.  The stamp is written last, so an interrupted refresh is done again
// at the next start.

#include "Status.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::datafolder {

inline constexpr std::string_view kStampFile = ".quivra-reference";

// True for the files of the shop's own tables and the export: a name whose
// stem (compared without regard to case) is Saveddb, Saved, SHOPINFO, Builds
// or custdb.
bool isShopFile(const std::filesystem::path& name);

// Names (relative, '/'-separated), sizes and modification times of every
// regular file under `installed`, one per line, sorted by name.
storage::Result<std::string> installedStamp(const std::filesystem::path& installed);

// Brings `dataDir` (which must exist) up to date with `installed` as described
// above.  `written` receives the relative names of the files copied.
storage::Status refreshFromInstalled(const std::filesystem::path& installed,
                                     const std::filesystem::path& dataDir,
                                     std::vector<std::string>& written);

}  // namespace quivra::datafolder
