#pragma once
// Moving a shop in: the set-ups of a shop's Saveddb.dbf loaded into the
// chain's server for that shop.  Each record gets a UUID made from the
// shop's id and its record number (md5 of "quivra-import:<shop id>:<record>"),
// so importing the same table again adds nothing.  The whole import is one
// transaction; a dry run does the same work and rolls it back.
//
// Fields are taken by name; a table without NAME is refused, other missing
// fields are imported blank and named in the report.  A set-up's creation
// time is its DATE (MM/dd/yyyy or yyyyMMdd, at noon UTC), else the time of
// the import.

#include "PgConnection.h"
#include "Progress.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::chain {

struct ImportReport {
    long read = 0;     // set-ups read from the table (deleted records skipped)
    long added = 0;    // new on the server (or that would be, in a dry run)
    long present = 0;  // there already from an earlier import
    std::vector<std::string> missingFields;
};

core::Result<ImportReport> importShop(PgConnection& connection, const std::filesystem::path& table,
                                      std::string_view shopName, bool dryRun,
                                      const storage::ProgressFn& progress = {});

}  // namespace quivra::chain
