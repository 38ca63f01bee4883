#pragma once
// The server's set-ups written out in the program's own formats: the
// delimited text of custdb.txt (docs/export-format.md; the server's texts
// are written whole) and a Saveddb.dbf table with its Saved.idx.  Both are
// written under temporary names and renamed when complete.  Rows are read
// through a cursor, a batch at a time, in the order they were saved.

#include "PgConnection.h"
#include "Progress.h"

#include <filesystem>
#include <optional>

namespace quivra::chain {

// Writes the set-ups of shop `shopId` (every shop's for nullopt) to `target`.
core::Status exportSetupsText(PgConnection& connection, std::optional<int> shopId,
                              const std::filesystem::path& target,
                              const storage::ProgressFn& progress = {});

// What exportSetupsTable() wrote.
struct TableExport {
    long setups = 0;
    long builds = 0;         // in Builds.dbf, each beside its set-up
    long textsCut = 0;       // values longer than their field, cut at its width
    long textsReplaced = 0;  // values with letters the table's code page lacks, written with '?'
    long buildTextsCut = 0;  // the same in Builds.dbf (and so in builds.txt)
    long buildTextsReplaced = 0;
};

// Writes Saveddb.dbf (the 19 fields at the delivered widths, code page
// 1252), its name index Saved.idx and custdb.txt (the texts whole) into
// `folder`, replacing files there; then the builds of those set-ups as Builds.dbf with Builds.idx
// (each naming its set-up's record number and signature in that Saveddb.dbf, so the folder opens in
// the program with every build beside its set-up) and builds.txt, as the program's own export
// writes them.  The set-ups and builds are read once, in one snapshot, so every file tells the
// same.
core::Result<TableExport> exportSetupsTable(PgConnection& connection, std::optional<int> shopId,
                                            const std::filesystem::path& folder,
                                            const storage::ProgressFn& progress = {});

}  // namespace quivra::chain
