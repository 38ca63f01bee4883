// The saved set-ups when their files are damaged or another copy of the
// program is saving: the name index rebuilt and said once, a damaged table
// read but never written, its repair, and a save that waits only so long.
#include "CustomerExport.h"
#include "CustomerTables.h"
#include "DamageHelpers.h"
#include "DamagedTable.h"
#include "SavedSetupStore.h"

#include <gtest/gtest.h>

namespace quivra::customers {
namespace {

using namespace std::chrono;
using storage::Status;

constexpr year_month_day kToday = year{2026} / March / day{7};

std::string nameOf(int i) {
    return "Cust" + std::string(i < 10 ? "0" : "") + std::to_string(i);
}

class DamagedSetupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::createSavedTables(dir()).isOk());
        SavedSetupStore store(dir());
        ASSERT_TRUE(store.open().isOk());
        for (int i = 0; i < 30; ++i) {
            ASSERT_TRUE(
                store.appendSetup(test::addressNamed(nameOf(i)), test::huntingCodes(), kToday)
                    .status.isOk());
        }
    }
    const std::filesystem::path& dir() const { return m_dir.path(); }
    std::filesystem::path table() const { return dir() / "Saveddb.dbf"; }
    std::filesystem::path index() const { return dir() / "Saved.idx"; }

private:
    test::ScratchDir m_dir;
};

TEST_F(DamagedSetupsTest, IndexDamagedAtItsEdgeIsRebuiltOnOpenAndSaidOnce) {
    test::emptyLeaf(table(), index(), 0);  // 14 names a seek would never find
    SavedSetupStore store(dir());
    ASSERT_TRUE(store.open().isOk());
    const std::string notice = store.takeNotice();
    EXPECT_NE(notice.find("The name index Saved.idx was damaged"), std::string::npos) << notice;
    EXPECT_NE(notice.find("rebuilt from Saveddb.dbf"), std::string::npos) << notice;
    EXPECT_EQ(store.takeNotice(), "");
    for (int i = 0; i < 30; ++i) EXPECT_TRUE(store.seekName(nameOf(i)).value()) << nameOf(i);
    EXPECT_EQ(store.takeNotice(), "");
}

TEST_F(DamagedSetupsTest, IndexDamageMetByASearchIsRebuiltAndTheNameFound) {
    test::emptyLeaf(table(), index(), 1);
    SavedSetupStore store(dir());
    ASSERT_TRUE(store.open().isOk());
    EXPECT_EQ(store.takeNotice(), "");  // the edges of the tree are sound
    auto found = store.seekName("Cust20");
    ASSERT_TRUE(found.isOk()) << found.status().message();
    EXPECT_TRUE(*found);
    EXPECT_EQ(store.current()->address.name, "Cust20");
    EXPECT_NE(store.takeNotice().find("was damaged"), std::string::npos);
}

TEST_F(DamagedSetupsTest, DamagedTableIsReadButNeverWritten) {
    test::setRecordCount(table(), 0);
    const std::string before = test::readFile(table());
    SavedSetupStore store(dir());
    ASSERT_TRUE(store.open().isOk());
    EXPECT_NE(store.damage().message().find("30 whole records"), std::string::npos)
        << store.damage().message();
    const AppendOutcome out =
        store.appendSetup(test::addressNamed("New"), test::huntingCodes(), kToday);
    EXPECT_EQ(out.status.code(), Status::Code::Corruption) << out.status.message();
    EXPECT_FALSE(out.stored);
    EXPECT_EQ(store.beginEdit().code(), Status::Code::Corruption);
    EXPECT_EQ(exportCustomers(dir()).code(), Status::Code::Corruption);
    EXPECT_FALSE(std::filesystem::exists(dir() / "custdb.txt"));
    store.close();
    EXPECT_EQ(test::readFile(table()), before);
}

TEST_F(DamagedSetupsTest, RepairKeepsEverySetUpAndSavesWork) {
    test::setRecordCount(table(), 0);
    const DamagedTable damaged = savedTableHealth(dir());
    ASSERT_FALSE(damaged.damage.isOk());
    EXPECT_NE(repairQuestion(damaged).find("Repair it now?"), std::string::npos);
    auto done = repairTable(damaged, storage::FileIo::posix(), system_clock::now());
    ASSERT_TRUE(done.isOk()) << done.status().message();
    EXPECT_NE(done->find("Saveddb.dbf has been repaired. Kept 30 records."), std::string::npos)
        << *done;
    EXPECT_NE(done->find("Saveddb-backup-"), std::string::npos) << *done;
    EXPECT_TRUE(savedTableHealth(dir()).damage.isOk());
    SavedSetupStore store(dir());
    ASSERT_TRUE(store.open().isOk());
    EXPECT_TRUE(
        store.appendSetup(test::addressNamed("New"), test::huntingCodes(), kToday).status.isOk());
    EXPECT_EQ(SavedSetupStore::countRecords(dir()).value(), 31U);
    for (int i = 0; i < 30; ++i) EXPECT_TRUE(store.seekName(nameOf(i)).value()) << nameOf(i);
}

TEST_F(DamagedSetupsTest, SaveWhileAnotherCopySavesWaitsBrieflyThenSaysSo) {
    SavedSetupStore store(dir());
    ASSERT_TRUE(store.open().isOk());
    {
        test::ForeignSave other(table());
        const auto start = steady_clock::now();
        const AppendOutcome out =
            store.appendSetup(test::addressNamed("Late"), test::huntingCodes(), kToday);
        EXPECT_LT(steady_clock::now() - start, seconds(4));
        EXPECT_EQ(out.status.message(), test::kBusyMessage);
        EXPECT_FALSE(out.stored);
    }
    EXPECT_TRUE(
        store.appendSetup(test::addressNamed("Late"), test::huntingCodes(), kToday).status.isOk());
    EXPECT_TRUE(store.seekName("Late").value());
}

}  // namespace
}  // namespace quivra::customers
