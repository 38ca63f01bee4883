// One table and its index shared by several handles and processes: a rebuild
// by one never leaves another writing into a file that is no longer the
// index, and writers racing with appends, edits and rebuilds leave every
// record with exactly its key.
#include "IndexTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace quivra::storage::test {
namespace {

class SharedIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_OK(TableStore::create(m_table, nameFields()));
        TableStore t(m_table);
        ASSERT_OK(t.open());
        for (int i = 0; i < 20; ++i)
            ASSERT_OK(appendRecord(t, {{"NAME", "N" + std::to_string(100 + i)}}));
        ASSERT_OK(t.createIndex(m_index, "NAME"));
    }

    // Every record is found under its name through a fresh handle.
    void expectEveryNameFound() {
        TableStore t(m_table);
        ASSERT_OK(t.open());
        ASSERT_OK(t.selectIndex(m_index));
        for (std::uint32_t r = 1; r <= t.recordCount(); ++r) {
            ASSERT_OK(t.goTo(r));
            const std::string name = t.fieldText("NAME").valueOr("");
            auto found = t.seek(name);
            ASSERT_TRUE(found.isOk()) << found.status().message();
            EXPECT_TRUE(*found) << "record " << r << " (" << name << ") is not found by name";
        }
    }

    TempDir m_dir;
    std::filesystem::path m_table = m_dir / "Saveddb.dbf";
    std::filesystem::path m_index = m_dir / "Saved.idx";
};

TEST_F(SharedIndexTest, EditAfterAnotherHandleRebuiltTheIndexReachesTheNewFile) {
    TableStore a(m_table);
    ASSERT_OK(a.open());
    ASSERT_OK(a.selectIndex(m_index));
    {
        // A record the index does not know yet (a crash between the table
        // write and the index write leaves this), then another copy of the
        // program selects the index, finds it behind and rebuilds it.
        TableStore noIndex(m_table);
        ASSERT_OK(noIndex.open());
        ASSERT_OK(appendRecord(noIndex, {{"NAME", "N900"}}));
        TableStore b(m_table);
        ASSERT_OK(b.open());
        ASSERT_OK(b.selectIndex(m_index));
    }
    ASSERT_OK(a.goTo(1));
    ASSERT_OK(a.edit());
    ASSERT_OK(a.setFieldText("NAME", "Zed"));
    ASSERT_OK(a.post());
    ASSERT_OK(appendRecord(a, {{"NAME", "Quill"}}));

    EXPECT_OK(verifyIndex(m_table, m_index));
    expectEveryNameFound();
    TableStore later(m_table);
    ASSERT_OK(later.open());
    ASSERT_OK(later.selectIndex(m_index));
    EXPECT_TRUE(later.seek("Zed").valueOr(false));
    EXPECT_TRUE(later.seek("Quill").valueOr(false));
}

TEST_F(SharedIndexTest, ReaderSeesRecordsAddedAfterAnotherHandleReplacedTheIndex) {
    TableStore reader(m_table);
    ASSERT_OK(reader.open());
    ASSERT_OK(reader.selectIndex(m_index));
    TableStore writer(m_table);
    ASSERT_OK(writer.open());
    ASSERT_OK(writer.selectIndex(m_index));
    ASSERT_OK(writer.rebuildIndex());
    ASSERT_OK(appendRecord(writer, {{"NAME", "Late"}}));
    EXPECT_TRUE(reader.seek("Late").valueOr(false));
}

// What one writer process does: appends, edits of its own records and, for
// writer 0, rebuilds of the index; writer 2 also closes and reopens its
// handle, so that its select meets the index while others write.  Exits 0
// when every call succeeded, else with the number of the step that failed.
[[noreturn]] void writer(const std::filesystem::path& table, const std::filesystem::path& index,
                         int w, int posts) {
    auto open = [&](TableStore& t) {
        t.setLockTimeout(std::chrono::seconds(60));
        return t.open() && t.selectIndex(index);
    };
    auto handle = std::make_unique<TableStore>(table, noSyncIo());
    if (!open(*handle)) _exit(10);
    std::vector<std::uint32_t> mine;
    for (int i = 0; i < posts; ++i) {
        TableStore& t = *handle;
        const std::string name = "W" + std::to_string(w) + "-" + std::to_string(i);
        if (!appendRecord(t, {{"NAME", name}})) _exit(11);
        mine.push_back(t.recNo());
        if (i % 3 == 2) {
            const std::uint32_t r = mine[static_cast<std::size_t>(i * 7) % mine.size()];
            if (!t.goTo(r) || !t.edit() || !t.setFieldText("NAME", "E" + name) || !t.post()) {
                _exit(12);
            }
        }
        if (w == 0 && i % 40 == 20 && !t.rebuildIndex()) _exit(13);
        if (w == 2 && i % 50 == 49) {
            handle = std::make_unique<TableStore>(table, noSyncIo());
            if (!open(*handle)) _exit(14);
        }
    }
    _exit(0);
}

TEST_F(SharedIndexTest, ThreeWritersAndARebuildLeaveEveryRecordIndexedOnce) {
    constexpr int kRuns = 20;
    constexpr int kWriters = 3;
    constexpr int kPosts = 300;
    for (int run = 0; run < kRuns; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        ASSERT_OK(TableStore::create(m_table, nameFields(), CodePage::Cp1252, true));
        {
            TableStore t(m_table);
            ASSERT_OK(t.open());
            ASSERT_OK(t.createIndex(m_index, "NAME"));
        }
        pid_t children[kWriters];
        for (int w = 0; w < kWriters; ++w) {
            children[w] = ::fork();
            ASSERT_GE(children[w], 0);
            if (children[w] == 0) writer(m_table, m_index, w, kPosts);
        }
        for (const pid_t child : children) {
            int status = 0;
            ::waitpid(child, &status, 0);
            ASSERT_TRUE(WIFEXITED(status)) << "a writer was killed";
            ASSERT_EQ(WEXITSTATUS(status), 0) << "a writer failed at step " << WEXITSTATUS(status);
        }
        TableStore t(m_table);
        ASSERT_OK(t.open());
        ASSERT_EQ(t.recordCount(), static_cast<std::uint32_t>(kWriters * kPosts));
        ASSERT_OK(verifyIndex(m_table, m_index));
    }
}

}  // namespace
}  // namespace quivra::storage::test
