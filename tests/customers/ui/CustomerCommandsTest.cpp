// The entry points the main window calls, run through the modal pattern.
#include "CustomerCommands.h"
#include "CustomerTables.h"
#include "ModalPattern.h"
#include "ProgressRunner.h"
#include "SavedSetupStore.h"
#include "TGetCust.h"
#include "UiHelpers.h"

#include <QTimer>

#include <fstream>
#include <iterator>

namespace quivra::customers {
namespace {

using namespace std::chrono;
using test::qs;
using test::takeShownTexts;

class CustomerCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { takeShownTexts(); }
    void TearDown() override { shell::setDialogObserver({}); }
    const std::filesystem::path& dir() const { return m_dir.path(); }
    // The tables with one hunting set-up saved for Adams.
    void saveAdams() const {
        ASSERT_TRUE(test::createSavedTables(dir()).isOk());
        SavedSetupStore store(dir());
        ASSERT_TRUE(store.open().isOk());
        ASSERT_TRUE(store
                        .appendSetup(test::addressNamed("Adams"), test::huntingCodes(),
                                     year{2026} / March / day{7})
                        .status.isOk());
    }

private:
    test::ScratchDir m_dir;
};

TEST_F(CustomerCommandsTest, GetSetupOnAnEmptyTableSaysSoAndOpensNothing) {
    ASSERT_TRUE(test::createSavedTables(dir()).isOk());
    bool opened = false;
    shell::setDialogObserver([&](QDialog*) { opened = true; });
    EXPECT_FALSE(getSetup(nullptr, dir(), {}));
    EXPECT_FALSE(opened);
    EXPECT_EQ(takeShownTexts(),
              QStringList{"There are no records on file currently, use Save Setup first."});
}

TEST_F(CustomerCommandsTest, GetSetupReturnsWhatReturnDataHandsBack) {
    ASSERT_TRUE(test::createSavedTables(dir()).isOk());
    {
        SavedSetupStore store(dir());
        ASSERT_TRUE(store.open().isOk());
        ASSERT_TRUE(store
                        .appendSetup(test::addressNamed("Adams"),
                                     {"2", "50", "29", "125", "0", "1", "0", "0", "1"},
                                     year{2026} / March / day{7})
                        .status.isOk());
    }
    shell::setDialogObserver([](QDialog* d) {
        QTimer::singleShot(0, d, [d] { static_cast<TGetCust*>(d)->ReturnDataBtnClick(); });
    });
    const auto restored = getSetup(nullptr, dir(), {});
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->page, core::Page::Kstr);
    EXPECT_EQ(restored->pointWeight, "125");
    EXPECT_EQ(restored->overDraw, 1);
}

TEST_F(CustomerCommandsTest, GetSetupClosedGivesNothing) {
    saveAdams();
    shell::setDialogObserver([](QDialog* d) {
        QTimer::singleShot(0, d, [d] { static_cast<TGetCust*>(d)->ExitBtnClick(); });
    });
    EXPECT_FALSE(getSetup(nullptr, dir(), {}));
}

TEST_F(CustomerCommandsTest, MissingTablesEndTheCommandsWithTheirError) {
    EXPECT_FALSE(getSetup(nullptr, dir(), {}));
    saveSetup(nullptr, {}, core::Page::Hunt, dir());
    editShopInformation(nullptr, dir());
    exportCustomerDatabase(nullptr, dir());
    const QStringList shown = takeShownTexts();
    ASSERT_EQ(shown.size(), 4);
    for (const QString& text : shown) {
        EXPECT_NE(text, qs("File CUSTDB.TXT has been created"));
        EXPECT_FALSE(text.isEmpty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir() / "custdb.txt"));
}

TEST_F(CustomerCommandsTest, ExportSaysSoOnlyWhenTheFileIsThere) {
    ASSERT_TRUE(test::createSavedTables(dir()).isOk());
    exportCustomerDatabase(nullptr, dir());
    EXPECT_EQ(takeShownTexts(), QStringList{"File CUSTDB.TXT has been created"});
    EXPECT_TRUE(std::filesystem::exists(dir() / "custdb.txt"));
}

TEST_F(CustomerCommandsTest, CancelledExportLeavesTheEarlierFileAndSaysNothing) {
    saveAdams();
    {
        std::ofstream earlier(dir() / "custdb.txt", std::ios::binary);
        earlier << "the export of last week\r\n";
    }
    const auto filesBefore = std::distance(std::filesystem::directory_iterator(dir()),
                                           std::filesystem::directory_iterator());
    shell::cancelNextProgress();
    exportCustomerDatabase(nullptr, dir());
    EXPECT_EQ(test::readFile(dir() / "custdb.txt"), "the export of last week\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir()),
                            std::filesystem::directory_iterator()),
              filesBefore)
        << "no temporary file is left";
    EXPECT_TRUE(takeShownTexts().isEmpty());
}

// An index that misses a set-up (another program appended without it) is
// rebuilt before the window opens; cancelled, the command ends untouched.
TEST_F(CustomerCommandsTest, StaleNameIndexIsRebuiltBeforeTheWindowOpens) {
    ASSERT_TRUE(test::createSavedTables(dir()).isOk());
    {
        storage::TableStore other(dir() / "Saveddb.dbf");
        ASSERT_TRUE(other.open().isOk());
        ASSERT_TRUE(other.appendBlank().isOk());
        ASSERT_TRUE(other.setFieldText("NAME", "Zeno").isOk());
        ASSERT_TRUE(other.post().isOk());
    }
    const std::string staleIndex = test::readFile(dir() / "Saved.idx");
    bool opened = false;
    shell::setDialogObserver([&](QDialog* d) {
        opened = true;
        QTimer::singleShot(0, d, [d] { d->reject(); });
    });
    shell::cancelNextProgress();
    EXPECT_FALSE(getSetup(nullptr, dir(), {}));
    EXPECT_FALSE(opened);
    EXPECT_EQ(test::readFile(dir() / "Saved.idx"), staleIndex);
    shell::cancelNextProgress();
    saveSetup(nullptr, {}, core::Page::Hunt, dir());
    EXPECT_FALSE(opened);
    EXPECT_TRUE(takeShownTexts().isEmpty());

    EXPECT_FALSE(getSetup(nullptr, dir(), {}));
    EXPECT_TRUE(opened);
    EXPECT_NE(test::readFile(dir() / "Saved.idx"), staleIndex);
}

}  // namespace
}  // namespace quivra::customers
