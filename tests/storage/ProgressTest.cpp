// Progress of the long table work (export, index rebuild): what the callback
// hears, and that stopping it at any call leaves every file as it was.
#include "TableStore.h"

#include "IndexTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace quivra::storage::test {
namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::pair<std::uint64_t, std::uint64_t>>;

constexpr std::uint32_t kRecords = 1200;  // three export batches

// Every call is recorded; the call numbered `stopAt` (0-based) answers false.
ProgressFn recorder(Calls& calls, std::size_t stopAt = SIZE_MAX) {
    return [&calls, stopAt](std::uint64_t done, std::uint64_t total) {
        calls.emplace_back(done, total);
        return calls.size() - 1 != stopAt;
    };
}

std::set<std::string> filesIn(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

class ProgressTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = std::make_unique<TempDir>();
        const fs::path file = *s_dir / "Saveddb.dbf";
        ASSERT_OK(TableStore::create(file, customerFields()));
        TableStore t(file, noSyncIo());  // building the sample needs no syncs
        ASSERT_OK(t.open());
        for (std::uint32_t i = 0; i < kRecords; ++i) {
            ASSERT_OK(appendRecord(t, {{"NAME", "Customer " + std::to_string(kRecords - i)},
                                       {"COMMENTS", "memo " + std::to_string(i)}}));
        }
        ASSERT_OK(t.createIndex(*s_dir / "Saved.idx", "NAME"));
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    void SetUp() override {
        for (const char* name : {"Saveddb.dbf", "Saveddb.fpt", "Saved.idx"}) {
            fs::copy_file(*s_dir / name, m_dir / name);
        }
        writeFile(m_dir / "custdb.txt", "the earlier export\r\n");
    }

    // The folder's files with their bytes.
    std::vector<std::pair<std::string, std::string>> snapshot() const {
        std::vector<std::pair<std::string, std::string>> files;
        for (const std::string& name : filesIn(m_dir.path())) {
            files.emplace_back(name, readFile(m_dir / name));
        }
        return files;
    }

    static std::unique_ptr<TempDir> s_dir;
    TempDir m_dir;
    fs::path m_table = m_dir / "Saveddb.dbf";
};

std::unique_ptr<TempDir> ProgressTest::s_dir;

TEST_F(ProgressTest, ExportHearsEachBatchAndOnceMoreBeforeTheFileIsReplaced) {
    TableStore t(m_table);
    ASSERT_OK(t.open());
    Calls calls;
    ASSERT_OK(t.copyToText(m_dir / "custdb.txt", 21, recorder(calls)));
    EXPECT_EQ(
        calls,
        (Calls{{512, kRecords}, {1024, kRecords}, {kRecords, kRecords}, {kRecords, kRecords}}));
    EXPECT_EQ(readFile(m_dir / "custdb.txt").rfind("\"Customer 1200\"", 0), 0U);
}

TEST_F(ProgressTest, CancelledExportLeavesEveryFileAsItWas) {
    for (const std::size_t stopAt : {0U, 2U, 3U}) {  // first batch, last batch, before the rename
        const auto before = snapshot();
        TableStore t(m_table);
        ASSERT_OK(t.open());
        Calls calls;
        const Status s = t.copyToText(m_dir / "custdb.txt", 21, recorder(calls, stopAt));
        EXPECT_EQ(s.code(), Status::Code::Cancelled) << stopAt << ": " << s.message();
        EXPECT_NE(s.message().find("custdb.txt"), std::string::npos) << s.message();
        EXPECT_EQ(calls.size(), stopAt + 1) << "no call after the stop";
        t.close();
        EXPECT_EQ(snapshot(), before) << "cancelled at call " << stopAt;
    }
}

TEST_F(ProgressTest, CancelledRebuildKeepsTheOldIndexInUse) {
    TableStore t(m_table);
    ASSERT_OK(t.open());
    ASSERT_OK(t.selectIndex("Saved.idx"));
    for (const std::size_t stopAt : {0U, 1U}) {  // after reading the records, before the rename
        const auto before = snapshot();
        Calls calls;
        const Status s = t.rebuildIndex(recorder(calls, stopAt));
        EXPECT_EQ(s.code(), Status::Code::Cancelled) << s.message();
        EXPECT_EQ(calls.front(), std::make_pair(std::uint64_t{kRecords}, std::uint64_t{kRecords}));
        EXPECT_EQ(snapshot(), before) << "cancelled at call " << stopAt;
        auto found = t.seek("Customer 7");
        ASSERT_TRUE(found.isOk()) << found.status().message();
        EXPECT_TRUE(*found);
        EXPECT_EQ(t.recNo(), kRecords - 7 + 1);
    }
    Calls calls;
    EXPECT_OK(t.rebuildIndex(recorder(calls)));
    EXPECT_EQ(calls.size(), 2U);
}

TEST_F(ProgressTest, SelectingAnIndexThatMissesKeysRebuildsItWithProgress) {
    {
        TableStore other(m_table);  // a writer without the index leaves it behind
        ASSERT_OK(other.open());
        ASSERT_OK(appendRecord(other, {{"NAME", "Aaron Late"}}));
    }
    const auto before = snapshot();
    TableStore t(m_table);
    ASSERT_OK(t.open());
    Calls calls;
    const Status s = t.selectIndex("Saved.idx", recorder(calls, 0));
    EXPECT_EQ(s.code(), Status::Code::Cancelled) << s.message();
    EXPECT_FALSE(t.hasIndex());
    EXPECT_EQ(snapshot(), before);

    calls.clear();
    ASSERT_OK(t.selectIndex("Saved.idx", recorder(calls)));
    EXPECT_EQ(calls.back(),
              std::make_pair(std::uint64_t{kRecords + 1}, std::uint64_t{kRecords + 1}));
    auto found = t.seek("Aaron");
    ASSERT_TRUE(found.isOk());
    EXPECT_TRUE(*found);
}

}  // namespace
}  // namespace quivra::storage::test
