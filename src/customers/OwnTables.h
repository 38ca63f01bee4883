#pragma once
// The tables Quivra keeps for itself beside the saved set-ups (Builds.dbf,
// Tickets.dbf).  Other programs do not know them, so the program makes them
// when it first needs them and mends them itself:
//
//  - made under a temporary name (with whatever first records they need)
//    and moved into place only when no file of that name is there, so of two
//    copies of the program making a table at once one wins and the other
//    uses it; a table is never replaced and never seen half made;
//  - an index that is missing is built, a damaged one rebuilt (derived data);
//  - a damaged table (a copy killed while it appended leaves a whole record
//    beyond the count, or part of one) is repaired before anything is
//    written into it: every whole record is kept, part of a record is
//    dropped, and the damaged files go to a dated backup first.
// What was mended is told once, through a notice the windows show.

#include "FieldDef.h"
#include "FileIo.h"
#include "Status.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::storage {
class TableStore;
}

namespace quivra::customers {

// Makes the table `path` with `fields` unless a file of that name exists;
// `fill` (may be empty) writes the first records into the new table before
// it is put in place.  Ok when the table is there, made by this call or not.
storage::Status ensureOwnTable(
    const std::filesystem::path& path, const std::vector<storage::FieldSpec>& fields,
    storage::FileIo& io, const std::function<storage::Status(storage::TableStore&)>& fill = {});

// Checks that the open `table` has every field of `fields` (by name and
// type); the message names the first that is missing.
storage::Status checkOwnFields(const storage::TableStore& table,
                               const std::vector<storage::FieldSpec>& fields);

// Selects the index `idx` on `keyExpression` for the open `table`, building
// it when it is missing and rebuilding it when it is damaged.  A rebuild of
// a damaged index is added to `notice`.
storage::Status selectOwnIndex(storage::TableStore& table, const std::filesystem::path& idx,
                               std::string_view keyExpression, storage::FileIo& io,
                               std::string& notice);

// Repairs the open `table` when it is damaged (with `indexes`), reopens it
// and adds what was done to `notice`; does nothing to a sound table.
storage::Status repairOwnTable(storage::TableStore& table,
                               const std::vector<std::filesystem::path>& indexes,
                               storage::FileIo& io, std::string& notice);

}  // namespace quivra::customers
