// Twenty counters saving and taking ticket numbers at once, each a process
// of its own with its own data folder, against one server: every save is
// there once, and no ticket number of the shop is handed out twice.

#include "PgTestSupport.h"
#include "Schema.h"
#include "TicketNumbers.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <set>

namespace quivra::chain::test {
namespace {

constexpr int kCounters = 20;
constexpr int kSavesEach = 25;
constexpr int kTicketsEach = 30;

// One counter's run; the exit status says how far it got.
int runCounter(const std::filesystem::path& dir, int counter) {
    CustomerBase base(dir);
    auto store = base.store();
    if (!store || !(*store)->open()) return 2;
    for (int i = 0; i < kSavesEach; ++i) {
        customers::CustomerAddress a = customers::test::addressNamed(
            "Counter " + std::to_string(counter) + " customer " + std::to_string(i));
        const auto o = (*store)->appendSetup(a, customers::test::huntingCodes(),
                                             std::chrono::year_month_day{});
        if (!o.status) return 3;
    }
    auto connection = base.connection();
    if (!connection) return 4;
    // Small ranges, so that the counters reserve often and at the same time.
    TicketNumbers tickets(dir, "Chain Shop", 7);
    std::ofstream out(dir / "tickets.txt");
    for (int i = 0; i < kTicketsEach; ++i) {
        if (!tickets.reserve(**connection, base.shopId())) return 5;
        auto number = tickets.next();
        if (!number) return 6;
        out << *number << '\n';
    }
    return out ? 0 : 7;
}

class ConcurrentSavesTest : public ServerTest {};

TEST_F(ConcurrentSavesTest, TwentyCountersSaveEverythingOnceWithUniqueTickets) {
    ASSERT_TRUE(migrate(*m_db));  // as the shop owner would before opening the counters
    std::vector<std::unique_ptr<customers::test::ScratchDir>> dirs;
    for (int i = 0; i < kCounters; ++i) {
        dirs.push_back(std::make_unique<customers::test::ScratchDir>());
        makeCounterFolder(dirs.back()->path(), "Chain Shop");
    }
    std::vector<pid_t> children;
    for (int i = 0; i < kCounters; ++i) {
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) _exit(runCounter(dirs[static_cast<std::size_t>(i)]->path(), i));
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "a counter stopped with " << status;
    }
    EXPECT_EQ(sql("SELECT count(*), count(DISTINCT name) FROM setups").text(0, 0),
              std::to_string(kCounters * kSavesEach));
    EXPECT_EQ(sql("SELECT count(DISTINCT name) FROM setups").text(0, 0),
              std::to_string(kCounters * kSavesEach));
    EXPECT_EQ(sql("SELECT count(*) FROM shops").text(0, 0), "1");
    std::set<long> numbers;
    long handedOut = 0;
    for (const auto& dir : dirs) {
        std::ifstream in(dir->path() / "tickets.txt");
        for (long n = 0; in >> n; ++handedOut) numbers.insert(n);
    }
    EXPECT_EQ(handedOut, kCounters * kTicketsEach);
    EXPECT_EQ(static_cast<long>(numbers.size()), handedOut);
    // The reserved ranges never overlap.
    EXPECT_EQ(sql("SELECT count(*) FROM ticket_ranges a JOIN ticket_ranges b ON a.shop_id = "
                  "b.shop_id AND a.first_no < b.first_no AND a.last_no >= b.first_no")
                  .text(0, 0),
              "0");
}

}  // namespace
}  // namespace quivra::chain::test
