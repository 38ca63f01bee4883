// Writes that fail part-way (full disk, failing sync or rename) are reported
// and leave the table as it was before the failed call: every record whose
// post returned stays, nothing half-written becomes visible.
#include "TableStore.h"

#include "FaultyFileIo.h"
#include "TempDir.h"
#include "TestTables.h"

#include <gtest/gtest.h>

namespace quivra::storage::test {
namespace {

class WriteFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_OK(TableStore::create(m_file, customerFields()));
        TableStore t(m_file);
        ASSERT_OK(t.open());
        ASSERT_OK(appendRecord(t, {{"NAME", "Kept"}, {"COMMENTS", "kept memo"}}));
    }

    // Opens the table with the real file layer and checks the kept record.
    void expectIntact(std::uint32_t minCount, std::uint32_t maxCount) {
        TableStore t(m_file);
        ASSERT_OK(t.open());
        EXPECT_OK(t.damage());
        EXPECT_GE(t.recordCount(), minCount);
        EXPECT_LE(t.recordCount(), maxCount);
        ASSERT_OK(t.goTo(1));
        EXPECT_EQ(t.fieldText("NAME").valueOr("").substr(0, 4), "Kept");
        EXPECT_EQ(t.fieldText("COMMENTS").valueOr(""), "kept memo");
        if (t.recordCount() == 2) {  // a record that made it is whole
            ASSERT_OK(t.goTo(2));
            EXPECT_EQ(t.fieldText("NAME").valueOr("").substr(0, 3), "New");
            EXPECT_EQ(t.fieldText("COMMENTS").valueOr(""), "new memo");
        }
    }

    TempDir m_dir;
    std::filesystem::path m_file = m_dir / "Saveddb.dbf";
};

TEST_F(WriteFaultTest, AppendOnAFillingDiskFailsCleanlyAtEveryByte) {
    // Enough budget for memo block, memo header, record, EOF byte and count.
    for (std::uint64_t budget = 0; budget < 400; budget += 3) {
        SCOPED_TRACE("budget " + std::to_string(budget));
        FaultyFileIo io;
        TableStore t(m_file, io);
        ASSERT_OK(t.open());
        const std::uint32_t before = t.recordCount();
        io.writeBudget = budget;
        const Status s = appendRecord(t, {{"NAME", "New"}, {"COMMENTS", "new memo"}});
        if (s) {
            EXPECT_EQ(t.recordCount(), before + 1);
            expectIntact(2, 2);
            return;  // the rest of the budgets would append again
        }
        EXPECT_EQ(s.code(), Status::Code::IoError);
        EXPECT_NE(s.message().find("Saveddb"), std::string::npos) << s.message();
        t.close();
        expectIntact(1, 1);
    }
    FAIL() << "no budget was large enough";
}

TEST_F(WriteFaultTest, AppendWithAFailingWriteAtEachStepLeavesNoRecord) {
    for (std::uint64_t n = 0; n < 4; ++n) {  // memo block, memo header, record, count
        SCOPED_TRACE("failing write " + std::to_string(n));
        FaultyFileIo io;
        TableStore t(m_file, io);
        ASSERT_OK(t.open());
        io.failWriteNumber = n;
        EXPECT_EQ(appendRecord(t, {{"NAME", "New"}, {"COMMENTS", "new memo"}}).code(),
                  Status::Code::IoError);
        t.close();
        expectIntact(1, 1);
    }
}

TEST_F(WriteFaultTest, FailedSyncIsNeverReportedAsSuccessAndLeavesNoRecord) {
    FaultyFileIo io;
    TableStore t(m_file, io);
    ASSERT_OK(t.open());
    io.failSync = true;
    ASSERT_OK(t.appendBlank());
    ASSERT_OK(t.setFieldText("NAME", "New"));
    EXPECT_EQ(t.post().code(), Status::Code::IoError);
    EXPECT_EQ(t.editState(), EditState::Append);  // still pending: the caller may retry
    expectIntact(1, 1);
    io.failSync = false;
    ASSERT_OK(t.setFieldText("COMMENTS", "new memo"));
    ASSERT_OK(t.post());  // the retry stores it once
    expectIntact(2, 2);
}

TEST_F(WriteFaultTest, EditWhoseMemoCannotBeWrittenLeavesTheRecord) {
    FaultyFileIo io;
    TableStore t(m_file, io);
    ASSERT_OK(t.open());
    ASSERT_OK(t.edit());
    ASSERT_OK(t.setFieldText("NAME", "Changed"));
    ASSERT_OK(t.setFieldText("COMMENTS", "a memo that needs a new block"));
    io.writeBudget = 10;
    EXPECT_EQ(t.post().code(), Status::Code::IoError);
    t.cancel();
    expectIntact(1, 1);
}

TEST_F(WriteFaultTest, ReplacingATableOnAFullDiskKeepsTheOldOne) {
    for (const bool failRename : {false, true}) {
        FaultyFileIo io;
        io.writeBudget = failRename ? ~0ULL : 20;
        io.failRename = failRename;
        EXPECT_EQ(
            TableStore::create(m_file, {{"OTHER", 'C', 5, 0}}, CodePage::Cp1252, true, io).code(),
            Status::Code::IoError);
        expectIntact(1, 1);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.path()),
                                std::filesystem::directory_iterator()),
                  2);  // no temporary file left
    }
}

}  // namespace
}  // namespace quivra::storage::test
