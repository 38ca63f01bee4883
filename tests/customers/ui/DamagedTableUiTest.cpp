// The windows on a damaged Saveddb.dbf: the damage said once, naming the
// file, with the offer to repair it; declined, nothing is saved, edited or
// exported; accepted, a dated backup is kept and the work goes on.  And a
// save while another copy of the program saves: a clear message, the
// record left pending in the window.
#include "CustomerCommands.h"
#include "CustomerTables.h"
#include "DamageHelpers.h"
#include "ErrorHandler.h"
#include "RecordNavigator.h"
#include "SavedSetupStore.h"
#include "TCustInfo.h"
#include "TGetCust.h"
#include "UiHelpers.h"

namespace quivra::customers {
namespace {

using namespace std::chrono;
using Answer = shell::MessageBox::Answer;
using B = RecordNavigator::Button;
using test::child;
using test::qs;
using test::takeShownTexts;
using test::typeInto;

constexpr year_month_day kToday = year{2026} / March / day{7};

class DamagedTableUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::createSavedTables(dir()).isOk());
        SavedSetupStore store(dir());
        ASSERT_TRUE(store.open().isOk());
        for (const char* name : {"Adams", "Baker", "Smith"}) {
            ASSERT_TRUE(store.appendSetup(test::addressNamed(name), test::huntingCodes(), kToday)
                            .status.isOk());
        }
        store.close();
        takeShownTexts();
    }
    void TearDown() override { takeShownTexts(); }
    const std::filesystem::path& dir() const { return m_dir.path(); }
    std::filesystem::path table() const { return dir() / "Saveddb.dbf"; }
    std::size_t backups() const {
        std::size_t n = 0;
        for (const auto& e : std::filesystem::directory_iterator(dir())) {
            n += e.path().filename().string().find("-backup-") != std::string::npos ? 1 : 0;
        }
        return n;
    }
    // The one question asked about the damage: it names the file and what
    // is wrong, and offers the repair.
    static void expectQuestion(const QString& text) {
        EXPECT_TRUE(
            text.contains(qs("Saveddb.dbf' is damaged: the file holds 3 whole records, "
                             "3 beyond the 0 its header counts")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(qs("Repair it now?"))) << text.toStdString();
    }
    std::unique_ptr<TGetCust> retrieval() {
        return std::make_unique<TGetCust>(dir(), PrintCustomerFn{}, &m_result);
    }

    std::optional<RestoredSetup> m_result;

private:
    test::ScratchDir m_dir;
};

TEST_F(DamagedTableUiTest, RetrievalSaysSoOnceAndDeclinedRefusesEveryEdit) {
    test::setRecordCount(table(), 0);
    const std::string before = test::readFile(table());
    shell::MessageBox::setNextAnswer(Answer::No);
    auto w = retrieval();
    QStringList shown = takeShownTexts();
    ASSERT_EQ(shown.size(), 1);
    expectQuestion(shown[0]);
    // The customers on file are shown all the same, and said nothing more of.
    EXPECT_EQ(child(*w, "DBEdit1")->text(), qs("Adams"));
    w->DBNavigator1Click(B::Next);
    EXPECT_EQ(child(*w, "DBEdit1")->text(), qs("Baker"));
    EXPECT_TRUE(takeShownTexts().isEmpty());
    w->DBNavigator1Click(B::Edit);
    shown = takeShownTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(qs("Nothing is written into it until it is repaired")))
        << shown[0].toStdString();
    w->reject();
    EXPECT_EQ(test::readFile(table()), before);
    EXPECT_EQ(backups(), 0U);
}

TEST_F(DamagedTableUiTest, RetrievalRepairsWithABackupAndThenEdits) {
    test::setRecordCount(table(), 0);
    shell::MessageBox::setNextAnswer(Answer::Yes);
    auto w = retrieval();
    const QStringList shown = takeShownTexts();
    ASSERT_EQ(shown.size(), 2);
    expectQuestion(shown[0]);
    EXPECT_TRUE(shown[1].startsWith(qs("Saveddb.dbf has been repaired. Kept 3 records")))
        << shown[1].toStdString();
    EXPECT_TRUE(shown[1].contains(qs("The damaged files were kept as Saveddb-backup-")))
        << shown[1].toStdString();
    EXPECT_EQ(backups(), 3U);  // table, memo file and index
    w->DBNavigator1Click(B::Edit);
    typeInto(child(*w, "DBEdit1"), qs("Abbott"));
    w->DBNavigator1Click(B::Post);
    EXPECT_TRUE(takeShownTexts().isEmpty());
    w->reject();
    SavedSetupStore store(dir());
    ASSERT_TRUE(store.open().isOk());
    EXPECT_TRUE(store.damage().isOk());
    EXPECT_TRUE(store.seekName("Abbott").value());
}

TEST_F(DamagedTableUiTest, SaveWindowDeclinedDoesNotOpenAndSaysWhy) {
    test::setRecordCount(table(), 0);
    const std::string before = test::readFile(table());
    shell::MessageBox::setNextAnswer(Answer::No);
    try {
        TCustInfo w({}, core::Page::Hunt, dir());
        ADD_FAILURE() << "the save window opened on a damaged table";
    } catch (const shell::UserError& e) {
        EXPECT_NE(std::string(e.what()).find("Nothing is saved into Saveddb.dbf"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(takeShownTexts().size(), 1);
    EXPECT_EQ(test::readFile(table()), before);
}

TEST_F(DamagedTableUiTest, ExportOfADamagedTableReportsTheDamageInsteadOfSuccess) {
    test::setRecordCount(table(), 0);
    shell::MessageBox::setNextAnswer(Answer::No);
    exportCustomerDatabase(nullptr, dir());
    QStringList shown = takeShownTexts();
    ASSERT_EQ(shown.size(), 2);
    expectQuestion(shown[0]);
    EXPECT_TRUE(shown[1].contains(qs("exported until it is repaired"))) << shown[1].toStdString();
    EXPECT_FALSE(std::filesystem::exists(dir() / "custdb.txt"));

    shell::MessageBox::setNextAnswer(Answer::Yes);
    exportCustomerDatabase(nullptr, dir());
    shown = takeShownTexts();
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[2], qs("File CUSTDB.TXT has been created"));
    EXPECT_EQ(test::readFile(dir() / "custdb.txt").find("\"Adams\""), 0U);
}

TEST_F(DamagedTableUiTest, DamagedNameIndexIsRebuiltAndSaidOnce) {
    test::emptyLeaf(table(), dir() / "Saved.idx", 0);
    auto w = retrieval();
    const QStringList shown = takeShownTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(qs("The name index Saved.idx was damaged")))
        << shown[0].toStdString();
    EXPECT_EQ(child(*w, "DBEdit1")->text(), qs("Adams"));
}

TEST_F(DamagedTableUiTest, SaveWhileAnotherCopySavesLeavesTheRecordInTheWindow) {
    TCustInfo w({}, core::Page::Hunt, dir());
    typeInto(child(w, "DBEdit1"), qs("Young"));
    typeInto(child(w, "DBEdit6"), qs("1 Elm Road"));
    typeInto(child(w, "DBEdit8"), qs("Peoria"));
    typeInto(child(w, "DBEdit9"), qs("IL"));
    {
        test::ForeignSave other(table());
        w.PostBtnClick();
        EXPECT_EQ(takeShownTexts(), QStringList{qs(test::kBusyMessage)});
        EXPECT_NE(w.result(), QDialog::Accepted);
        EXPECT_EQ(child(w, "DBEdit1")->text(), qs("Young"));
    }
    w.PostBtnClick();
    EXPECT_EQ(takeShownTexts(), QStringList{qs("New record has been successfully added")});
    EXPECT_EQ(SavedSetupStore::countRecords(dir()).value(), 4U);
}

}  // namespace
}  // namespace quivra::customers
