#pragma once
// builds.txt: the arrows built for saved set-ups, one line per build in the
// order they were saved, as delimited text in the form of custdb.txt
// (docs/export-format.md), so a shop can take its sales history into a
// spreadsheet.  Each line starts with the set-up it belongs to (record
// number in Saveddb.dbf, customer name, DATE as stored); a build whose
// set-up is no longer on file keeps its line with those three left empty.

#include "FileIo.h"
#include "Progress.h"
#include "Status.h"

#include <cstdint>
#include <filesystem>

namespace quivra::customers {

// The number of lines builds.txt will get (the records of Builds.dbf; 0
// when there is none), for progress.
storage::Result<std::uint32_t> countBuilds(const std::filesystem::path& dataDir,
                                           storage::FileIo& io = storage::FileIo::posix());

// Writes the builds of `dataDir` to `target` (written under a temporary
// name and renamed when complete).  `progress` hears (builds written, count)
// and may cancel; then nothing is written.
storage::Status writeBuildsExport(const std::filesystem::path& dataDir,
                                  const std::filesystem::path& target, storage::FileIo& io,
                                  const storage::ProgressFn& progress = {});

}  // namespace quivra::customers
