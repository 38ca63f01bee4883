#pragma once
// Temporary names for files that replace a user's file: same folder (so the
// final rename is atomic), hidden, unique among the machines that share the
// folder:  .<name>.tmp<process id>-<counter>@<host>
//
// A process killed while it writes leaves its temporary file behind.
// removeStaleTemporaries() takes such files away: only names of this
// pattern, only when the process that made them is gone (made on this
// machine) or when they have not changed for a day (made on another one).

#include "FileIo.h"

#include <chrono>
#include <filesystem>
#include <string_view>

namespace quivra::storage {

std::filesystem::path temporaryPathFor(const std::filesystem::path& target);

// Writes `bytes` to `target` under a temporary name, synced, and renames it
// over `target`: a crash or a full disk leaves the old or the new file whole.
Status replaceFile(FileIo& io, const std::filesystem::path& target, std::string_view bytes);

// Removes the stale temporary files in `folder` (best effort: a file that
// cannot be removed stays).  `now` is the time to judge their age by.
void removeStaleTemporaries(FileIo& io, const std::filesystem::path& folder,
                            std::chrono::system_clock::time_point now);

}  // namespace quivra::storage
