// Several processes on one table, and processes killed while they write.
// Children are forked; they report through a pipe and leave with _exit so
// that nothing of the test framework runs twice.
#include "TableRepair.h"
#include "TableStore.h"

#include "TempDir.h"
#include "TestTables.h"

#include <gtest/gtest.h>

#include <csignal>
#include <set>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quivra::storage::test {
namespace {

std::string nameOf(std::uint32_t n) {
    return "R" + std::to_string(n);
}
std::string memoOf(std::uint32_t n) {
    return "memo of record " + std::to_string(n) + std::string(n % 97, 'x');
}

// Appends numbered records until killed; after each post that returned,
// writes the record number to `out`.
[[noreturn]] void appendForever(const std::filesystem::path& file, int out) {
    TableStore t(file);
    if (!t.open()) _exit(2);
    for (;;) {
        const std::uint32_t n = t.recordCount() + 1;  // this is the only writer
        if (!appendRecord(t, {{"NAME", nameOf(n)},
                              {"ARLEN", std::to_string(n % 1000)},
                              {"COMMENTS", memoOf(n)}})) {
            _exit(3);
        }
        const std::uint32_t got = t.recNo();
        if (::write(out, &got, sizeof got) != sizeof got) _exit(4);
    }
}

class ConcurrencyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_OK(TableStore::create(m_file, customerFields())); }

    TempDir m_dir;
    std::filesystem::path m_file = m_dir / "Saveddb.dbf";
};

TEST_F(ConcurrencyTest, KilledWriterLosesNoPostedRecord) {
    std::uint32_t posted = 0;
    for (int round = 0; round < 40; ++round) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            appendForever(m_file, fds[1]);
        }
        ::close(fds[1]);
        // Let the child post a few records, then kill it at a moment that
        // moves a little each round, so kills land in every step of a post.
        std::uint32_t got = 0;
        for (int i = 0; i < 1 + round % 3; ++i) {
            if (::read(fds[0], &got, sizeof got) == sizeof got) posted = std::max(posted, got);
        }
        ::usleep(static_cast<useconds_t>(37 * round % 400));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status))
            << "writer stopped on its own with " << WEXITSTATUS(status);
        while (::read(fds[0], &got, sizeof got) == sizeof got) posted = std::max(posted, got);
        ::close(fds[0]);

        TableStore t(m_file);
        ASSERT_OK(t.open());
        if (!t.damage().isOk()) {
            // Killed after writing its record but before counting it: the
            // record lies beyond the count, and only a repair, which keeps
            // it, makes the table writable again.
            EXPECT_NE(t.damage().message().find("beyond"), std::string::npos)
                << t.damage().message();
            t.close();
            auto report =
                TableRepair::repair(m_file, {}, FileIo::posix(), std::chrono::system_clock::now());
            ASSERT_TRUE(report.isOk()) << report.status().message();
            ASSERT_OK(t.open());
            EXPECT_OK(t.damage());
        }
        ASSERT_GE(t.recordCount(), posted) << "round " << round;
        for (std::uint32_t n = 1; n <= t.recordCount(); ++n) {
            ASSERT_OK(t.goTo(n));
            std::string name = t.fieldText("NAME").valueOr("?");
            name.erase(name.find_last_not_of(' ') + 1);
            ASSERT_EQ(name, nameOf(n)) << "round " << round;
            ASSERT_EQ(t.fieldText("COMMENTS").valueOr("?"), memoOf(n)) << "round " << round;
        }
    }
    EXPECT_GT(posted, 40U);
}

TEST_F(ConcurrencyTest, TwoProcessesAppendingLoseNothing) {
    constexpr int kPerWriter = 500;
    pid_t children[2];
    for (int w = 0; w < 2; ++w) {
        children[w] = ::fork();
        ASSERT_GE(children[w], 0);
        if (children[w] == 0) {
            TableStore t(m_file);
            // Each writer posts without a pause: the other gets the lock only
            // between two posts.  Correctness is under test, not the wait.
            t.setLockTimeout(std::chrono::seconds(60));
            if (!t.open()) _exit(2);
            for (int i = 0; i < kPerWriter; ++i) {
                const std::string name = "W" + std::to_string(w) + "-" + std::to_string(i);
                if (!appendRecord(t, {{"NAME", name}, {"COMMENTS", "memo " + name}})) _exit(3);
            }
            _exit(0);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    TableStore t(m_file);
    ASSERT_OK(t.open());
    ASSERT_EQ(t.recordCount(), 2U * kPerWriter);
    std::set<std::string> names;
    ASSERT_OK(t.first());
    while (!t.eof()) {
        std::string name = t.fieldText("NAME").valueOr("?");
        name.erase(name.find_last_not_of(' ') + 1);
        EXPECT_EQ(t.fieldText("COMMENTS").valueOr("?"), "memo " + name);
        names.insert(name);
        ASSERT_OK(t.next());
    }
    EXPECT_EQ(names.size(), 2U * kPerWriter);
}

TEST_F(ConcurrencyTest, TwoProcessesEditingOneRecordLoseNoUpdate) {
    {
        TableStore t(m_file);
        ASSERT_OK(t.open());
        ASSERT_OK(appendRecord(t, {{"ARLEN", "0"}}));
    }
    constexpr int kPerWriter = 150;
    pid_t children[2];
    for (pid_t& child : children) {
        child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            TableStore t(m_file);
            t.setLockTimeout(std::chrono::seconds(60));
            if (!t.open()) _exit(2);
            for (int i = 0; i < kPerWriter; ++i) {
                // edit() locks the record and reads it afresh under the lock.
                if (!t.goTo(1) || !t.edit()) _exit(3);
                const std::int32_t n = t.fieldInt("ARLEN").valueOr(-1);
                if (n < 0 || !t.setFieldText("ARLEN", std::to_string(n + 1)) || !t.post()) _exit(4);
            }
            _exit(0);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    TableStore t(m_file);
    ASSERT_OK(t.open());
    EXPECT_EQ(t.fieldInt("ARLEN").valueOr(-1), 2 * kPerWriter);
}

// Whether some other open file description holds a lock on the byte.
bool byteIsLocked(const std::filesystem::path& file, off_t offset) {
    const int fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC);
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = offset;
    fl.l_len = 1;
    const bool locked = ::fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
    ::close(fd);
    return locked;
}

TEST_F(ConcurrencyTest, EditLocksTheRecordAtFoxProsOffset) {
    TableStore t(m_file);
    ASSERT_OK(t.open());
    for (int i = 0; i < 3; ++i) ASSERT_OK(appendRecord(t, {{"NAME", "R"}}));
    const std::string bytes = readFile(m_file);
    const off_t header =
        static_cast<unsigned char>(bytes[8]) | (static_cast<unsigned char>(bytes[9]) << 8);
    const off_t length =
        static_cast<unsigned char>(bytes[10]) | (static_cast<unsigned char>(bytes[11]) << 8);
    const off_t record2 = 0x40000000 + header + length;

    ASSERT_OK(t.goTo(2));
    EXPECT_FALSE(byteIsLocked(m_file, record2));
    ASSERT_OK(t.edit());
    EXPECT_TRUE(byteIsLocked(m_file, record2));
    EXPECT_FALSE(byteIsLocked(m_file, record2 - length));  // record 1
    EXPECT_FALSE(byteIsLocked(m_file, 0x40000000));        // no append is running
    ASSERT_OK(t.setFieldText("NAME", "S"));
    ASSERT_OK(t.post());
    EXPECT_FALSE(byteIsLocked(m_file, record2));
    ASSERT_OK(t.edit());
    t.cancel();
    EXPECT_FALSE(byteIsLocked(m_file, record2));
}

TEST_F(ConcurrencyTest, EditOfARecordEditedElsewhereGivesUpWithBusy) {
    TableStore a(m_file);
    TableStore b(m_file);
    ASSERT_OK(a.open());
    ASSERT_OK(appendRecord(a, {{"NAME", "Shop"}}));
    ASSERT_OK(b.open());
    ASSERT_OK(a.edit());
    b.setLockTimeout(std::chrono::milliseconds(50));
    // The other handle is in this very process: waiting for it would never end.
    const Status s = b.edit();
    EXPECT_EQ(s.code(), Status::Code::Busy);
    EXPECT_NE(s.message().find("Record 1"), std::string::npos) << s.message();
    EXPECT_EQ(b.editState(), EditState::Browse);
    a.cancel();
    ASSERT_OK(b.edit());
}

}  // namespace
}  // namespace quivra::storage::test
