// Ticket numbers: rising, kept across restarts, never given twice, also when
// two copies of the program print at the same moment.
#include "CustomerTables.h"
#include "TableStore.h"
#include "TicketCounter.h"

#include <gtest/gtest.h>

#include <set>

#include <sys/wait.h>
#include <unistd.h>

namespace quivra::customers {
namespace {

TEST(TicketCounterTest, NumbersStartAtOneRiseAndSurviveARestart) {
    test::ScratchDir dir;
    EXPECT_EQ(nextTicketNumber(dir.path()).valueOr(0), 1u);
    EXPECT_EQ(nextTicketNumber(dir.path()).valueOr(0), 2u);
    // The counter is a table on disk: a new process goes on from it.
    const pid_t child = fork();
    if (child == 0) _exit(nextTicketNumber(dir.path()).valueOr(0) == 3 ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(nextTicketNumber(dir.path()).valueOr(0), 4u);

    storage::TableStore t(dir.path() / "Tickets.dbf");
    ASSERT_TRUE(t.open().isOk());
    EXPECT_EQ(t.recordCount(), 1u);
    EXPECT_EQ(t.fieldText("LASTNO").valueOr(""), "4");
}

TEST(TicketCounterTest, TwoCopiesPrintingAtOnceNeverShareANumber) {
    test::ScratchDir dir;
    constexpr int kCopies = 2;
    constexpr int kEach = 150;
    int fds[kCopies][2];
    pid_t children[kCopies];
    for (int c = 0; c < kCopies; ++c) {
        ASSERT_EQ(pipe(fds[c]), 0);
        children[c] = fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            // Both start together on a folder without Tickets.dbf: they also
            // race to make the counter.
            for (int i = 0; i < kEach; ++i) {
                auto n = nextTicketNumber(dir.path(), storage::FileIo::posix(),
                                          std::chrono::milliseconds(20000));
                if (!n) _exit(2);
                if (write(fds[c][1], &n.value(), sizeof(std::uint32_t)) != sizeof(std::uint32_t))
                    _exit(3);
            }
            _exit(0);
        }
        close(fds[c][1]);
    }
    std::multiset<std::uint32_t> numbers;
    for (int c = 0; c < kCopies; ++c) {
        std::uint32_t n = 0;
        std::uint32_t last = 0;
        while (read(fds[c][0], &n, sizeof n) == sizeof n) {
            EXPECT_GT(n, last) << "a copy's numbers go up";
            last = n;
            numbers.insert(n);
        }
        close(fds[c][0]);
        int status = 0;
        waitpid(children[c], &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ASSERT_EQ(numbers.size(), static_cast<std::size_t>(kCopies * kEach));
    // Every number once, none skipped: 1 .. 300.
    std::uint32_t expected = 1;
    for (const std::uint32_t n : numbers) EXPECT_EQ(n, expected++);
}

TEST(TicketCounterTest, ACounterThatCannotBeReadIsNamedNotRestarted) {
    test::ScratchDir dir;
    ASSERT_TRUE(nextTicketNumber(dir.path()).isOk());
    {
        storage::TableStore t(dir.path() / "Tickets.dbf");
        ASSERT_TRUE(t.open().isOk());
        ASSERT_TRUE(t.edit().isOk());
        ASSERT_TRUE(t.setFieldText("LASTNO", "-5").isOk());
        ASSERT_TRUE(t.post().isOk());
    }
    auto n = nextTicketNumber(dir.path());
    ASSERT_FALSE(n.isOk());
    EXPECT_NE(n.status().message().find("Tickets.dbf"), std::string::npos);
    EXPECT_NE(n.status().message().find("'-5'"), std::string::npos);
}

}  // namespace
}  // namespace quivra::customers
