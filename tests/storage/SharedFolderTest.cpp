// What a shared data folder brings: temporary files of killed processes,
// read-only files and folders, and another copy of the program holding a
// lock.  Each gives a message that names the file or folder, and no wait
// lasts longer than its bound.
#include "IndexTestSupport.h"
#include "PosixFileIo.h"
#include "TempDir.h"
#include "TempPath.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quivra::storage::test {
namespace {

using Code = Status::Code;
using namespace std::chrono_literals;

// Refuses what the operating system refuses a user without write rights:
// opening files that end in `readOnlySuffix` for writing, and creating
// files in `lockedFolder`.
class RefusingFileIo final : public ForwardingFileIo {
public:
    std::string readOnlySuffix;
    std::filesystem::path lockedFolder;

    Result<std::unique_ptr<File>> open(const std::filesystem::path& path, Mode mode) override {
        const std::string name = path.filename().string();
        if (mode == Mode::ReadWrite && !readOnlySuffix.empty() && name.size() > 4 &&
            name.compare(name.size() - readOnlySuffix.size(), readOnlySuffix.size(),
                         readOnlySuffix) == 0) {
            return Status::ioError("Cannot open file '" + path.string() + "': Permission denied");
        }
        if (mode == Mode::CreateNew && path.parent_path() == lockedFolder) {
            return Status::ioError("The folder '" + lockedFolder.string() +
                                   "' cannot be written (Permission denied)");
        }
        return ForwardingFileIo::open(path, mode);
    }
};

// Another program's lock on one byte of a file, held while it lives.
class ForeignLock {
public:
    ForeignLock(const std::filesystem::path& file, off_t offset)
        : m_fd(::open(file.c_str(), O_RDWR | O_CLOEXEC)) {
        struct flock fl {};
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = offset;
        fl.l_len = 1;
        m_locked = m_fd >= 0 && ::fcntl(m_fd, F_OFD_SETLK, &fl) == 0;
    }
    ~ForeignLock() {
        if (m_fd >= 0) ::close(m_fd);
    }
    ForeignLock(const ForeignLock&) = delete;
    ForeignLock& operator=(const ForeignLock&) = delete;
    [[nodiscard]] bool locked() const { return m_locked; }

private:
    int m_fd;
    bool m_locked = false;
};

constexpr off_t kHeaderLock = 0x40000000;

class SharedFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_OK(TableStore::create(m_table, customerFields()));
        TableStore t(m_table);
        ASSERT_OK(t.open());
        for (const char* name : {"Ann", "Bob"}) ASSERT_OK(appendRecord(t, {{"NAME", name}}));
        ASSERT_OK(t.createIndex(m_index, "NAME"));
    }

    // A process id that is surely gone: a child that has exited.
    static pid_t deadProcess() {
        const pid_t child = ::fork();
        if (child == 0) _exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }

    TempDir m_dir;
    std::filesystem::path m_table = m_dir / "Saveddb.dbf";
    std::filesystem::path m_index = m_dir / "Saved.idx";
};

TEST_F(SharedFolderTest, ExportAndRebuildRemoveOnlyStaleTemporariesOfOurOwnPattern) {
    const std::string dead = std::to_string(deadProcess());
    const std::string alive = std::to_string(::getpid());
    const std::string self = temporaryPathFor(m_dir / "x").filename().string();
    const std::string host = self.substr(self.find('@') + 1);
    const std::vector<std::string> stale{".custdb.txt.tmp" + dead + "-0",  // before hosts
                                         ".custdb.txt.tmp" + dead + "-7@" + host,
                                         ".Saved.idx.tmp" + dead + "-2@" + host,
                                         ".custdb.txt.tmp1-0@elsewhere"};
    const std::vector<std::string> kept{".custdb.txt.tmp" + alive + "-99@" + host,
                                        ".custdb.txt.tmp1-1@elsewhere", "custdb.txt.tmp" + dead,
                                        ".notes.tmp", ".custdb.txt.tmp" + dead + "-x"};
    for (const auto& name : stale) writeFile(m_dir / name, "left by a killed export");
    for (const auto& name : kept) writeFile(m_dir / name, "not ours to remove");
    // Another machine's file counts as stale only after a day without change.
    std::filesystem::last_write_time(m_dir / stale.back(),
                                     std::filesystem::file_time_type::clock::now() - 25h);
    std::filesystem::last_write_time(m_dir / kept[1],
                                     std::filesystem::file_time_type::clock::now() - 23h);

    TableStore t(m_table);
    ASSERT_OK(t.open());
    ASSERT_OK(t.copyToText(m_dir / "custdb.txt", 21));
    for (const auto& name : stale) EXPECT_FALSE(std::filesystem::exists(m_dir / name)) << name;
    for (const auto& name : kept) EXPECT_TRUE(std::filesystem::exists(m_dir / name)) << name;

    writeFile(m_dir / stale[2], "left by a killed rebuild");
    ASSERT_OK(t.selectIndex(m_index));
    ASSERT_OK(t.rebuildIndex());
    EXPECT_FALSE(std::filesystem::exists(m_dir / stale[2]));
    for (const auto& name : kept) EXPECT_TRUE(std::filesystem::exists(m_dir / name)) << name;
}

TEST_F(SharedFolderTest, ReadOnlyMemoFileIsNamed) {
    RefusingFileIo io;
    io.readOnlySuffix = ".fpt";
    TableStore t(m_table, io);
    ASSERT_OK(t.open());
    const Status s = t.appendBlank();
    EXPECT_EQ(s.code(), Code::IoError);
    EXPECT_EQ(s.message(), "Memo file '" + (m_dir / "Saveddb.fpt").string() +
                               "' is read-only, so table '" + m_table.string() +
                               "' cannot be changed");
}

TEST_F(SharedFolderTest, IndexRebuildInAFolderThatCannotBeWrittenNamesTheFolder) {
    {
        TableStore noIndex(m_table);
        ASSERT_OK(noIndex.open());
        ASSERT_OK(appendRecord(noIndex, {{"NAME", "Cy"}}));  // the index now needs a rebuild
    }
    RefusingFileIo io;
    io.lockedFolder = m_dir.path();
    TableStore t(m_table, io);
    ASSERT_OK(t.open());
    const Status s = t.selectIndex(m_index);
    EXPECT_EQ(s.code(), Code::IoError);
    EXPECT_EQ(s.message(), "Index file '" + m_index.string() + "' cannot be rebuilt: The folder '" +
                               m_dir.path().string() + "' cannot be written (Permission denied)");
}

TEST(PosixFileIoTest, CreatingInAFolderThatCannotBeWrittenNamesTheFolder) {
    // /sys refuses new files to every user, root included.
    auto file = FileIo::posix().open("/sys/quivra-test", FileIo::Mode::CreateNew);
    ASSERT_FALSE(file.isOk());
    EXPECT_EQ(file.status().message().rfind("The folder '/sys' cannot be written (", 0), 0U)
        << file.status().message();
}

TEST_F(SharedFolderTest, PostWaitsForAnotherCopyOnlyWithinItsBoundAndKeepsTheRecord) {
    TableStore t(m_table);
    t.setLockTimeout(150ms);
    ASSERT_OK(t.open());
    ASSERT_OK(t.selectIndex(m_index));
    ASSERT_OK(t.appendBlank());
    ASSERT_OK(t.setFieldText("NAME", "Cy"));
    {
        ForeignLock other(m_table, kHeaderLock);
        ASSERT_TRUE(other.locked());
        const auto start = std::chrono::steady_clock::now();
        const Status s = t.post();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
        EXPECT_EQ(s.code(), Code::Busy);
        EXPECT_EQ(s.message(),
                  "Another copy of Quivra is saving to Saveddb.dbf. Try again in a moment.");
        EXPECT_EQ(t.editState(), EditState::Append);  // pending, not lost
        // Readers do not wait: a second handle opens, selects and seeks.
        TableStore reader(m_table);
        ASSERT_OK(reader.open());
        ASSERT_OK(reader.selectIndex(m_index));
        EXPECT_TRUE(reader.seek("Bob").valueOr(false));
    }
    ASSERT_OK(t.post());
    EXPECT_TRUE(t.seek("Cy").valueOr(false));
    EXPECT_OK(verifyIndex(m_table, m_index));
}

TEST_F(SharedFolderTest, EditPostAndIndexLockAreBoundedToo) {
    TableStore t(m_table);
    t.setLockTimeout(150ms);
    ASSERT_OK(t.open());
    ASSERT_OK(t.selectIndex(m_index));
    ASSERT_OK(t.goTo(1));
    ASSERT_OK(t.edit());
    ASSERT_OK(t.setFieldText("NAME", "Abe"));
    {
        // Another program that locks the index file itself.
        ForeignLock other(m_index, kHeaderLock);
        ASSERT_TRUE(other.locked());
        const Status s = t.post();
        EXPECT_EQ(s.code(), Code::Busy);
        EXPECT_EQ(s.message(),
                  "Another copy of Quivra is saving to Saved.idx. Try again in a moment.");
        EXPECT_EQ(t.editState(), EditState::Edit);
    }
    ASSERT_OK(t.post());
    EXPECT_TRUE(t.seek("Abe").valueOr(false));
    EXPECT_OK(verifyIndex(m_table, m_index));
}

}  // namespace
}  // namespace quivra::storage::test
