#pragma once
// TicketNumbers: the bench ticket numbers of one counter.  Numbers are
// unique per shop across the chain: the server hands each counter a range
// (quivra_reserve_tickets, one UPDATE of the shop's next number), and the
// counter takes its numbers from the ranges it holds, also while offline.
// reserve() keeps at least `rangeSize` numbers in hand when the server
// answers.
//
// Tickets.conf (beside the set-ups, ours): "counter <uuid>", "shop <name>"
// and one "range <first> <last>" line per range still held, the next number
// first.  It is replaced whole (temporary file, sync, rename) before a number
// is handed out, so a crash can skip a number but never hand one out twice.
// Tickets.lock guards it between copies of the program on the folder.

#include "FileIo.h"
#include "PgConnection.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace quivra::chain {

class TicketNumbers {
public:
    TicketNumbers(const std::filesystem::path& dataDir, std::string shopName, int rangeSize = 100,
                  storage::FileIo& io = storage::FileIo::posix());

    // Reserves a new range of the shop `shopId` on the server when fewer
    // than `rangeSize` numbers are in hand.
    core::Status reserve(PgConnection& connection, int shopId);
    // The next ticket number; Unavailable when none is left in hand (the
    // server must be reached to reserve more).
    core::Result<std::int64_t> next();
    // Numbers in hand.
    core::Result<std::int64_t> inHand();

private:
    struct State {
        std::string counter;
        std::string shop;
        std::vector<std::pair<std::int64_t, std::int64_t>> ranges;
    };
    core::Result<State> read();
    core::Status write(const State& state);

    std::filesystem::path m_file;
    std::filesystem::path m_lockFile;
    std::string m_shop;
    int m_rangeSize;
    storage::FileIo& m_io;
};

}  // namespace quivra::chain
