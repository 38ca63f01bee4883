#pragma once
// The chain's tables on the PostgreSQL server and the steps that make them.
//
//   schema_version  the version the tables are at (one row)
//   shops           one row per shop, by name; next ticket number of the shop
//   setups          the 19 fields of a saved set-up, the shop, a UUID, the
//                   times it was made and last changed
//   builds          the arrow built for a set-up (every field of a saved
//                   build), with its ticket number
//   ticket_ranges   ticket numbers reserved by one counter of a shop
//
// Every version is one step in kMigrations; a step runs in a transaction of
// its own under an advisory lock, so twenty counters connecting at once to
// an empty database make the tables once.  docs/chain-server.md lists the
// tables and the counters' role.

#include "PgConnection.h"

#include <string_view>

namespace quivra::chain {

// The version this program writes and reads.
inline constexpr int kSchemaVersion = 3;

// The version the database is at: 0 for a database without our tables.
core::Result<int> schemaVersion(PgConnection& connection);

// Brings the database to `target` (at most kSchemaVersion), one step at a
// time.  Ok when it is there.  A database newer than this program, or one
// behind that this role may not change, gives a message saying what to do.
core::Status migrate(PgConnection& connection, int target = kSchemaVersion);

// The shop's id on the server, made when the shop is new.
core::Result<int> shopId(PgConnection& connection, std::string_view shopName);

}  // namespace quivra::chain
