#pragma once
// TicketCounter: the numbers of the bench work tickets.  The shop's last
// number is kept in Tickets.dbf in the data folder (one record, LASTNO and
// the time it was given, LASTAT), so numbers go on rising across restarts
// and every copy of Quivra sharing the folder draws from the same counter.
//
// A number is taken under the record lock of that one record: read, add
// one, write and sync, then let go.  Two counters printing at once take
// turns and never get the same number.  A number taken for a ticket that
// is then not printed is not given again (tickets may skip a number, never
// repeat one).  A copy killed while it holds the lock has written nothing
// or the whole record; the lock goes with the process.

#include "FileIo.h"
#include "Status.h"

#include <chrono>
#include <cstdint>
#include <filesystem>

namespace quivra::customers {

// Takes the next ticket number of the shop whose data folder is `dataDir`,
// making Tickets.dbf (starting at 1) when it is missing.  Busy when another
// copy holds the counter for longer than `lockWait`.
storage::Result<std::uint32_t> nextTicketNumber(
    const std::filesystem::path& dataDir, storage::FileIo& io = storage::FileIo::posix(),
    std::chrono::milliseconds lockWait = std::chrono::milliseconds(2000));

}  // namespace quivra::customers
