#pragma once
// Names of the customer files in the program's data folder.  They are fixed
// (the program has no settings) and spelled as delivered: the file system
// may tell case apart.

namespace quivra::customers {

inline constexpr const char* kSavedTableFile = "Saveddb.dbf";    // saved set-ups
inline constexpr const char* kSavedIndexFile = "Saved.idx";      // their name order
inline constexpr const char* kSavedKeyExpression = "NAME";       // the key of Saved.idx
inline constexpr const char* kShopTableFile = "SHOPINFO.DBF";    // the shop's one record
inline constexpr const char* kExportFile = "custdb.txt";         // the export
inline constexpr int kExportTypeCode = 21;                       // delimited text
inline constexpr const char* kBuildsTableFile = "Builds.dbf";    // the arrows built for set-ups
inline constexpr const char* kBuildsIndexFile = "Builds.idx";    // their set-up order
inline constexpr const char* kBuildsExportFile = "builds.txt";   // the builds' export
inline constexpr const char* kTicketsTableFile = "Tickets.dbf";  // the ticket counter

}  // namespace quivra::customers
