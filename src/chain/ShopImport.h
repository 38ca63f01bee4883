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
//
// The builds of the folder's Builds.dbf come along when the table is the
// folder's Saveddb.dbf: a build is imported when the set-up record it names
// is imported and the set-up's signature (customers::setupSignature of the
// record as read) agrees with the build's.  Its UUID is made like the
// set-ups' (md5 of "quivra-import-build:<shop id>:<build record>"), so a
// second import adds nothing; its creation time is its saving time
// (yyyyMMddHHmmss, read in the server session's time zone), else the time of
// the import.  Builds naming no imported set-up, or a set-up whose signature
// differs (the table was packed or replaced since), are counted, not
// imported.  A folder without Builds.dbf imports its set-ups alone.

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

    long buildsRead = 0;        // builds read from Builds.dbf (deleted records skipped)
    long buildsAdded = 0;       // new on the server (or that would be, in a dry run)
    long buildsPresent = 0;     // there already from an earlier import
    long buildsOrphaned = 0;    // naming a set-up record that was not imported
    long buildsMismatched = 0;  // naming a set-up whose signature differs
};

core::Result<ImportReport> importShop(PgConnection& connection, const std::filesystem::path& table,
                                      std::string_view shopName, bool dryRun,
                                      const storage::ProgressFn& progress = {});

}  // namespace quivra::chain
