#pragma once
// The statements on the server's builds table and the conversion of a
// saved build to and from the server's rows and the outbox's texts.  One
// table of the build's fields (BuildSql.cpp) drives all of them, so a field
// added to SavedBuild is added in one place.  Every value travels as a
// parameter.
//
// Numbers are written in their shortest exact decimal form (std::to_chars)
// and read back with std::from_chars; the server keeps them as numeric, so
// a double comes back bit for bit.  An empty optional is NULL on the server
// and "" in the texts.

#include "PgConnection.h"
#include "SavedBuild.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quivra::chain {

// The SELECT list of a build's columns from table alias `alias` (e.g. "b"),
// each given the column alias "b_<column>" so it never clashes with a
// set-up's columns, in the order buildFromRow() reads them.  Starts with the
// build's UUID ("b_id").
std::string buildColumns(std::string_view alias);

// The number of columns buildColumns() selects.
int buildColumnCount();

// The build whose columns (as buildColumns() selects them) start at column
// `column` of `row`.  Gives the build's UUID in `id` when not null.  A NULL
// number the build must have (a row older than its column) keeps
// SavedBuild's default.
customers::SavedBuild buildFromRow(const PgRows& rows, int row, int column,
                                   std::string* id = nullptr);

// Refuses a build whose texts the server cannot keep exactly (a NUL
// character), naming the field; also a figure that is no finite number.
core::Status checkStorable(const customers::SavedBuild& build);

// Inserts build `buildUuid` of set-up `setupUuid` for shop `shopId` unless
// that UUID is there already (a repeated send is not a second build).  True
// when it was new.  `created` is an ISO 8601 time (as utcNowText() gives).
core::Result<bool> insertBuild(PgConnection& connection, int shopId, const std::string& buildUuid,
                               const std::string& setupUuid, const customers::SavedBuild& build,
                               const std::string& created);

// Every field of a build as (key, text): texts as they are, numbers in
// their shortest exact decimal form (std::to_chars), "" for an empty
// optional.  Keys are the column names ("shaft_key", "grains_per_inch",
// ...).  For the outbox, which keeps texts only.
std::vector<std::pair<std::string, std::string>> buildTexts(const customers::SavedBuild& build);

// Sets the field `key` of `build` from its text (as buildTexts() wrote it).
// False for a key that names no field (a newer program's), an error for a
// number that cannot be read.
core::Result<bool> setBuildText(customers::SavedBuild& build, std::string_view key,
                                std::string_view text);

}  // namespace quivra::chain
