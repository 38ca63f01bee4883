// A customer's history: which set-ups belong to the customer, in which order
// they are listed whatever form their dates were stored in, and what comes
// back from one of them.
#include "BuildStore.h"
#include "CustomerHistory.h"
#include "CustomerTables.h"
#include "DateText.h"
#include "SavedSetupStore.h"
#include "SetupSaving.h"
#include "TableStore.h"

#include <gtest/gtest.h>

namespace quivra::customers {
namespace {

using namespace std::chrono;
using test::addressNamed;
using test::huntingCodes;
using test::sampleBuild;

TEST(StoredDateTest, EveryFormAShopMayHaveStored) {
    const struct {
        const char* text;
        int y, m, d;
    } dates[] = {
        {"03/07/2026", 2026, 3, 7},     // ours: month first
        {"3/7/26", 2026, 3, 7},         // a short US date, two-digit year
        {"25/12/2011", 2011, 12, 25},   // day first: the first number is no month
        {"12/25/2011", 2011, 12, 25},   //
        {"20260307", 2026, 3, 7},       // a D field
        {"2026-03-07", 2026, 3, 7},     // ISO
        {"2026/3/7", 2026, 3, 7},       //
        {"07.03.2026", 2026, 3, 7},     // German: day first
        {"7.3.98", 1998, 3, 7},         // two digits before 30 are this century, after last
        {"1.2.29", 2029, 2, 1},         //
        {"07-03-2026", 2026, 3, 7},     // day first with dashes
        {"7-Mar-2026", 2026, 3, 7},     // month names
        {"07 MAR 2026", 2026, 3, 7},    //
        {"March 7, 2026", 2026, 3, 7},  //
        {"Sept. 30, 2010", 2010, 9, 30}, {"  03/07/2026 ", 2026, 3, 7},  // blanks of a C field
    };
    for (const auto& d : dates) {
        const auto parsed = parseStoredDate(d.text);
        ASSERT_TRUE(parsed) << d.text;
        EXPECT_EQ(*parsed,
                  year{d.y} / month{static_cast<unsigned>(d.m)} / day{static_cast<unsigned>(d.d)})
            << d.text;
    }
    for (const char* notADate : {"", "n/a", "02/30/2026", "13/13/2026", "2026-13-01", "12/2026",
                                 "1/2/3/4", "Marchy 7, 2026", "99999999", "7/3/202"}) {
        EXPECT_FALSE(parseStoredDate(notADate)) << notADate;
    }
}

class CustomerHistoryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::createSavedTables(dir()).isOk()); }
    const std::filesystem::path& dir() const { return m_dir.path(); }

    // Saves a set-up with `address` and a stored DATE text of `date`.
    void saveDated(const CustomerAddress& address, const std::string& date,
                   const std::optional<SavedBuild>& build = std::nullopt,
                   const SetupCodes& codes = huntingCodes()) {
        const SaveOutcome out = saveSetupWithBuild(dir(), storage::FileIo::posix(), address, codes,
                                                   year{2026} / 1 / 1, std::nullopt);
        ASSERT_TRUE(out.status.isOk()) << out.status.message();
        // Older copies and other systems stored other texts: write it as such.
        storage::TableStore t(dir() / "Saveddb.dbf");
        ASSERT_TRUE(t.open().isOk());
        ASSERT_TRUE(t.goTo(out.setup->recNo).isOk());
        ASSERT_TRUE(t.edit().isOk());
        ASSERT_TRUE(t.setFieldText("DATE", date).isOk());
        ASSERT_TRUE(t.post().isOk());
        t.close();
        if (build) {
            SavedSetupStore setups(dir());
            ASSERT_TRUE(setups.open().isOk());
            ASSERT_TRUE(setups.goTo(out.setup->recNo).isOk());
            const StoredSetup stored{out.setup->recNo, setupSignature(setups.current().value())};
            std::string notice;
            ASSERT_TRUE(
                saveBuildFor(dir(), storage::FileIo::posix(), stored, *build, notice).isOk());
        }
    }

    // The history as the store lists it; the store stays on its record.
    std::vector<HistoryEntry> historyOf(const CustomerAddress& who) {
        SavedSetupStore setups(dir());
        EXPECT_TRUE(setups.open().isOk());
        EXPECT_TRUE(setups.last().isOk());
        const SetupId before = setups.currentId();
        auto history = setups.history(who);
        EXPECT_TRUE(history.isOk()) << history.status().message();
        EXPECT_EQ(setups.currentId(), before);
        return history.valueOr({});
    }

    static std::vector<std::string> datesOf(const std::vector<HistoryEntry>& history) {
        std::vector<std::string> dates;
        for (const HistoryEntry& e : history) dates.push_back(historyRow(e).date);
        return dates;
    }

private:
    test::ScratchDir m_dir;
};

TEST_F(CustomerHistoryTest, OneCustomerIsOneNameAtOneAddress) {
    const CustomerAddress ann = addressNamed("Smith, Ann");
    CustomerAddress sameAnn = ann;  // typed again another season
    sameAnn.addr1 = "1  MAIN st ";
    sameAnn.zip = "62701";
    CustomerAddress otherAnn = ann;  // a namesake elsewhere
    otherAnn.city = "Shelbyville";
    CustomerAddress movedZip = sameAnn;
    movedZip.zip = "62702";

    saveDated(ann, "01/05/2024");
    saveDated(addressNamed("Smith, Annabel"), "02/05/2024");  // a longer name that begins alike
    saveDated(addressNamed("Smith"), "03/05/2024");
    saveDated(sameAnn, "04/05/2024");
    saveDated(otherAnn, "05/05/2024");
    saveDated(movedZip, "06/05/2024");
    saveDated(addressNamed("Aaron"), "07/05/2024");
    saveDated(addressNamed("smith, ann"), "08/05/2024");  // the name as typed is the name

    EXPECT_EQ(datesOf(historyOf(sameAnn)), (std::vector<std::string>{"04/05/2024", "01/05/2024"}));
    EXPECT_EQ(datesOf(historyOf(ann)),
              (std::vector<std::string>{"06/05/2024", "04/05/2024", "01/05/2024"}));
    EXPECT_EQ(datesOf(historyOf(otherAnn)), std::vector<std::string>{"05/05/2024"});
    EXPECT_EQ(datesOf(historyOf(addressNamed("Smith"))), std::vector<std::string>{"03/05/2024"});
    EXPECT_TRUE(historyOf(addressNamed("Smith, A")).empty());
    EXPECT_TRUE(historyOf(addressNamed("")).empty());
}

TEST_F(CustomerHistoryTest, NewestFirstWhateverFormTheDatesWereStoredIn) {
    const CustomerAddress bo = addressNamed("Bo Hunter");
    // Saved in this order (record order), with dates out of order and in
    // the forms of other systems.
    saveDated(bo, "2019-11-02");
    saveDated(bo, "03/07/2026");
    saveDated(bo, "7.3.98");
    saveDated(bo, "not known");
    saveDated(bo, "12/25/2011");
    saveDated(bo, "20260307");  // the same day as record 2, saved later
    saveDated(bo, "5-Jan-2012");
    saveDated(bo, "");
    EXPECT_EQ(datesOf(historyOf(bo)),
              (std::vector<std::string>{"20260307", "03/07/2026", "2019-11-02", "5-Jan-2012",
                                        "12/25/2011", "7.3.98", "", "not known"}));
}

TEST_F(CustomerHistoryTest, RowsShowTheSetUpAndTheShaftBuiltAndRestoreTheSetUp) {
    const CustomerAddress cy = addressNamed("Cy Fletcher");
    SetupCodes target{"1", "45", "28", "85", "1", "2", "1", "1", "4"};
    saveDated(cy, "01/02/2025", std::nullopt, target);
    SavedBuild built = sampleBuild();
    saveDated(cy, "06/02/2025", built);

    const std::vector<HistoryEntry> history = historyOf(cy);
    ASSERT_EQ(history.size(), 2u);
    const HistoryRow newest = historyRow(history[0]);
    EXPECT_EQ(newest.category, "Hunting Shafts");
    EXPECT_EQ(newest.bowWeight, "60#");
    EXPECT_EQ(newest.arrowLength, "30\"");
    EXPECT_EQ(newest.shaft, "340 CH");
    ASSERT_TRUE(history[0].build);
    EXPECT_EQ(history[0].build->notes, built.notes);

    const HistoryRow older = historyRow(history[1]);
    EXPECT_EQ(older.category, "Target Shafts");
    EXPECT_EQ(older.bowWeight, "45#");
    EXPECT_EQ(older.shaft, "(no build)");
    EXPECT_FALSE(history[1].build);
    // What the list hands back restores as Return Data always did.
    const RestoredSetup restored = restoreSetup(history[1].setup.codes).value();
    EXPECT_EQ(restored.page, core::Page::Targ);
    EXPECT_EQ(restored.bowWeight, "45");
    EXPECT_EQ(restored.targBowType, 1);
    EXPECT_EQ(restored.overDraw, 4);
}

}  // namespace
}  // namespace quivra::customers
