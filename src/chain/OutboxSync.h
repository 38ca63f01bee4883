#pragma once
// The outbox sent to the server: what the background sync of a counter
// runs, and what a test or quivra-sync runs in the foreground.

#include "Outbox.h"
#include "PgConnection.h"

#include <cstddef>
#include <functional>

namespace quivra::chain {

struct SyncReport {
    std::size_t sent = 0;       // entries the server has now (new or already there)
    std::size_t remaining = 0;  // entries still waiting
};

// Called after each batch was committed on the server and before it is
// marked done in the outbox, with the entries sent so far (tests stop the
// process there).
using AfterCommitFn = std::function<void(std::size_t sent)>;

// Sends every waiting entry in batches (each batch one transaction on the
// server: a new set-up is inserted unless its UUID is there, an address
// change is written), marks each batch done after its commit and empties
// the outbox when all is done.  Unavailable when the server went away: what
// was committed stays done, the rest waits.  `stop` (may be empty) is asked
// between batches.
core::Result<SyncReport> syncOutbox(PgConnection& connection, Outbox& outbox,
                                    const std::function<bool()>& stop = {},
                                    const AfterCommitFn& afterCommit = {});

}  // namespace quivra::chain
