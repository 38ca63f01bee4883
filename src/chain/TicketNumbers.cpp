#include "TicketNumbers.h"

#include "FileLock.h"
#include "SetupSql.h"
#include "TempPath.h"

#include <sstream>

namespace quivra::chain {

using core::Result;
using core::Status;

TicketNumbers::TicketNumbers(const std::filesystem::path& dataDir, std::string shopName,
                             int rangeSize, storage::FileIo& io)
    : m_file(dataDir / "Tickets.conf"),
      m_lockFile(dataDir / "Tickets.lock"),
      m_shop(std::move(shopName)),
      m_rangeSize(rangeSize),
      m_io(io) {}

Result<TicketNumbers::State> TicketNumbers::read() {
    State state;
    if (m_io.exists(m_file)) {
        auto file = m_io.open(m_file, storage::FileIo::Mode::Read);
        if (!file) return file.status();
        auto size = (*file)->size();
        if (!size) return size.status();
        std::string text(*size, '\0');
        auto n = (*file)->readAt(0, text.data(), text.size());
        if (!n) return n.status();
        std::istringstream in(text);
        std::string key;
        while (in >> key) {
            if (key == "counter") {
                in >> state.counter;
            } else if (key == "shop") {
                in.get();
                std::getline(in, state.shop);
            } else if (key == "range") {
                std::int64_t first = 0;
                std::int64_t last = 0;
                if (!(in >> first >> last)) {
                    return Status::corruption(m_file.string() + ": a range is not two numbers");
                }
                state.ranges.emplace_back(first, last);
            } else {
                return Status::corruption(m_file.string() + ": '" + key + "' is not understood");
            }
        }
    }
    // Ranges belong to a shop: a counter that now serves another shop
    // (or a renamed one) starts again.
    if (state.shop != m_shop) state.ranges.clear();
    state.shop = m_shop;
    if (state.counter.empty()) state.counter = newUuid();
    return state;
}

Status TicketNumbers::write(const State& state) {
    std::string text = "counter " + state.counter + "\nshop " + state.shop + "\n";
    for (const auto& [first, last] : state.ranges) {
        text += "range " + std::to_string(first) + " " + std::to_string(last) + "\n";
    }
    return storage::replaceFile(m_io, m_file, text);
}

Status TicketNumbers::reserve(PgConnection& connection, int shopId) {
    const FileLock lock(m_io, m_lockFile);
    if (!lock.status()) return lock.status();
    auto found = read();
    if (!found) return found.status();
    State state = std::move(found).value();
    std::int64_t held = 0;
    for (const auto& [first, last] : state.ranges) held += last - first + 1;
    if (held >= m_rangeSize) return Status::ok();
    auto r = connection.exec("SELECT quivra_reserve_tickets($1, $2, $3)",
                             {std::to_string(shopId), state.counter, std::to_string(m_rangeSize)});
    if (!r) return r.status();
    const std::int64_t first = std::stoll(r->text(0, 0));
    state.ranges.emplace_back(first, first + m_rangeSize - 1);
    return write(state);
}

Result<std::int64_t> TicketNumbers::next() {
    const FileLock lock(m_io, m_lockFile);
    if (!lock.status()) return lock.status();
    auto found = read();
    if (!found) return found.status();
    State state = std::move(found).value();
    if (state.ranges.empty()) {
        return Status::unavailable(
            "This counter has no ticket numbers left; they come from the customer database "
            "server, which must be reached first.");
    }
    auto& [first, last] = state.ranges.front();
    const std::int64_t number = first;
    if (first == last) {
        state.ranges.erase(state.ranges.begin());
    } else {
        ++first;
    }
    if (Status s = write(state); !s) return s;  // on disk before it is handed out
    return number;
}

Result<std::int64_t> TicketNumbers::inHand() {
    const FileLock lock(m_io, m_lockFile);
    if (!lock.status()) return lock.status();
    auto state = read();
    if (!state) return state.status();
    std::int64_t held = 0;
    for (const auto& [first, last] : state->ranges) held += last - first + 1;
    return held;
}

}  // namespace quivra::chain
