#pragma once
// The statements on the server's setups table that the store, the outbox
// sync and quivra-sync share, and the conversion of its rows.  Every value
// travels as a parameter.

#include "PgConnection.h"
#include "SetupStore.h"

#include <string>
#include <string_view>

namespace quivra::chain {

// A set-up as the server holds it: its UUID, its texts and the key of the
// name order (upper(name) in byte order).
struct ServerSetup {
    customers::SetupId id;
    std::string nameKey;
    customers::SavedSetup setup;
};

// The server's column of a set-up field: its name in lower case, but
// saved_date for DATE.
std::string columnOf(const customers::SetupField& field);

// The set-up fields' columns in table order: "name, addr1, ..., odlen".
const std::string& setupFieldColumns();

// The columns setupFromRow() reads, in order, for "SELECT <these> FROM
// setups": the UUID, the name order's key, then setupFieldColumns().
const std::string& setupColumns();

ServerSetup setupFromRow(const PgRows& rows, int row);

// Refuses texts the server cannot keep exactly (a NUL character), naming the field.
core::Status checkStorable(const customers::SavedSetup& setup);

// Inserts a set-up unless its UUID is there already (a repeated send is not
// a second set-up).  True when it was new.  `created` is an ISO 8601 time.
core::Result<bool> insertSetup(PgConnection& connection, int shopId, const std::string& uuid,
                               const customers::SavedSetup& setup, const std::string& created);

// Writes the address fields of set-up `uuid`; false when there is no such set-up.
core::Result<bool> updateAddress(PgConnection& connection, const std::string& uuid,
                                 const customers::CustomerAddress& address,
                                 const std::string& changed);

// A new random (version 4) UUID in its text form.
std::string newUuid();

// The time now in UTC, ISO 8601 with microseconds: "2026-03-07T14:35:02.123456Z".
std::string utcNowText();

}  // namespace quivra::chain
