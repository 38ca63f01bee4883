// The save window: required fields, upper-case state, header texts, youth
// set-ups, Close discarding, and no success message unless the save held.
#include "Clock.h"
#include "CustomerTables.h"
#include "ErrorHandler.h"
#include "FailingFileIo.h"
#include "SavedSetupStore.h"
#include "TCustInfo.h"
#include "UiHelpers.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>

namespace quivra::customers {
namespace {

using namespace std::chrono;
using core::Page;
using selection::SelectionInputs;
using test::child;
using test::qs;
using test::takeShownTexts;
using test::typeInto;

const core::FixedClock kFixedToday({.date = year{2026} / March / day{7}});

class TCustInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::createSavedTables(dir()).isOk());
        takeShownTexts();
    }
    const std::filesystem::path& dir() const { return m_dir.path(); }
    std::unique_ptr<TCustInfo> open(const SelectionInputs& in = {}, const char* key = "Hunt") {
        const core::ScopedClock clock(kFixedToday);
        return std::make_unique<TCustInfo>(in, core::pageFromKey(key), dir());
    }
    static void fill(TCustInfo& w, const CustomerAddress& a) {
        typeInto(child(w, "DBEdit1"), QString::fromStdString(a.name));
        typeInto(child(w, "DBEdit6"), QString::fromStdString(a.addr1));
        typeInto(child(w, "DBEdit8"), QString::fromStdString(a.city));
        typeInto(child(w, "DBEdit9"), QString::fromStdString(a.state));
    }
    std::uint32_t records() const { return SavedSetupStore::countRecords(dir()).value(); }
    SavedSetup firstRecord() const {
        SavedSetupStore store(dir());
        EXPECT_TRUE(store.open().isOk());
        return store.current().value();
    }

private:
    test::ScratchDir m_dir;
};

struct MissingCase {
    const char* name;
    const char* edit;
};

class RequiredFieldTest : public TCustInfoTest,
                          public ::testing::WithParamInterface<MissingCase> {};

TEST_P(RequiredFieldTest, MissingFieldRefusesTheSaveAndKeepsWhatWasTyped) {
    auto w = open();
    fill(*w, test::addressNamed("Smith"));
    typeInto(child(*w, GetParam().edit), QString());
    w->PostBtnClick();
    EXPECT_EQ(takeShownTexts(), QStringList{"Incomplete address, cannot add record"});
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_EQ(records(), 0u);
    EXPECT_EQ(child(*w, "DBEdit6")->text().isEmpty(), std::string(GetParam().edit) == "DBEdit6");

    // Completing the address and pressing the button again saves it.
    fill(*w, test::addressNamed("Smith"));
    w->PostBtnClick();
    EXPECT_EQ(takeShownTexts(), QStringList{"New record has been successfully added"});
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(records(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Fields, RequiredFieldTest,
                         ::testing::Values(MissingCase{"Name", "DBEdit1"},
                                           MissingCase{"Address", "DBEdit6"},
                                           MissingCase{"City", "DBEdit8"},
                                           MissingCase{"State", "DBEdit9"}),
                         [](const auto& tc) { return std::string(tc.param.name); });

TEST_F(TCustInfoTest, RequiredFieldsAloneAreEnough) {
    auto w = open();
    fill(*w, test::addressNamed("Smith"));
    w->PostBtnClick();
    EXPECT_EQ(records(), 1u);
    const SavedSetup r = firstRecord();
    EXPECT_EQ(r.address, test::addressNamed("Smith"));
    EXPECT_EQ(r.date, "03/07/2026");
    EXPECT_EQ(r.codes, test::huntingCodes());
}

TEST_F(TCustInfoTest, StateLettersAreStoredInUpperCase) {
    auto w = open();
    fill(*w, test::addressNamed("Smith"));
    typeInto(child(*w, "DBEdit9"), qs("il"));
    EXPECT_EQ(child(*w, "DBEdit9")->text(), qs("IL"));
    w->PostBtnClick();
    EXPECT_EQ(firstRecord().address.state, "IL");
}

TEST_F(TCustInfoTest, AccentsAndQuotesAreStoredUnchangedAndLinesEndCrLf) {
    auto w = open();
    fill(*w, test::addressNamed("Zoë O'Brien \"Bud\""));
    child<QPlainTextEdit>(*w, "DBMemo1")->setPlainText(qs("First line\nSecond \"quoted\" line"));
    w->PostBtnClick();
    const SavedSetup r = firstRecord();
    EXPECT_EQ(r.address.name, "Zoë O'Brien \"Bud\"");
    EXPECT_EQ(r.address.comments, "First line\r\nSecond \"quoted\" line");
}

TEST_F(TCustInfoTest, HeaderValuesAreAnnouncedWithTheirCaptions) {
    SelectionInputs in;
    in.bowWeight = "55";
    in.huntCamType = 1;
    auto w = open(in, "Hunt");
    const auto announced = [&](const char* name) {
        QAccessibleInterface* iface =
            QAccessible::queryAccessibleInterface(child<QLabel>(*w, name));
        return iface->text(QAccessible::Name) + qs(" = ") + iface->text(QAccessible::Value);
    };
    EXPECT_EQ(announced("Label24"), qs("Bow Weight = 55#"));
    EXPECT_EQ(announced("Label17"), qs("Category = Hunting Shafts"));
    EXPECT_EQ(announced("Label10"), qs("Wheel Type = Medium Cam"));
    EXPECT_EQ(announced("DBText1"), qs("Date = 03/07/2026"));
}

TEST_F(TCustInfoTest, ALetterTheTableCannotHoldIsRefusedByItsCaption) {
    auto w = open();
    fill(*w, test::addressNamed("Smith"));
    typeInto(child(*w, "DBEdit8"), qs("Łódź"));
    w->PostBtnClick();
    EXPECT_EQ(takeShownTexts(), QStringList{qs("The letter 'Ł' in City cannot be stored. Please "
                                               "type it without the accent.")});
    EXPECT_EQ(w->result(), QDialog::Rejected);  // still open, nothing lost
    EXPECT_EQ(records(), 0u);
    typeInto(child(*w, "DBEdit8"), qs("Lodz"));
    w->PostBtnClick();
    EXPECT_EQ(records(), 1u);
}

TEST_F(TCustInfoTest, HeaderShowsTheSetUpAndTheDate) {
    SelectionInputs in;
    in.targBowType = 1;
    auto w = open(in, "Targ");
    const auto text = [&](const char* name) { return child<QLabel>(*w, name)->text(); };
    EXPECT_EQ(text("Label24"), qs("60#"));
    EXPECT_EQ(text("Label25"), qs("30\""));
    EXPECT_EQ(text("Label27"), qs("100gr"));
    EXPECT_EQ(text("Label17"), qs("Target Shafts"));
    EXPECT_EQ(text("Label9"), qs("Recurve"));
    EXPECT_EQ(text("Label16"), qs("N/A"));
    EXPECT_EQ(text("DBText1"), qs("03/07/2026"));
    EXPECT_EQ(w->windowTitle(), qs("2012 Customer Information"));
    // The orange is the buttons' face, under a dark caption that stays legible.
    const QColor orange(0xF5, 0x7B, 0x20);  // 2128885 = 0x207BF5, blue high
    for (const char* b : {"EncartaButton1", "EncartaButton2"}) {
        const QPalette colours = child<QPushButton>(*w, b)->palette();
        EXPECT_EQ(colours.color(QPalette::Button), orange) << b;
        EXPECT_EQ(colours.color(QPalette::ButtonText), QColor(0x1a, 0x1a, 0x1a)) << b;
    }
    EXPECT_EQ(child<QPushButton>(*w, "EncartaButton1")->toolTip(), qs("Click to Exit"));
}

TEST_F(TCustInfoTest, YouthSaveStoresTheYouthInputsUnderItsOwnCategory) {
    SelectionInputs in;
    in.page = Page::Youth;
    in.youthBowWeight = "24";
    in.youthArrowLength = "23";
    auto w = open(in, "Youth");
    EXPECT_EQ(child<QLabel>(*w, "Label17")->text(), qs("Youth Shafts"));
    EXPECT_EQ(child<QLabel>(*w, "Label24")->text(), qs("24#"));
    fill(*w, test::addressNamed("Kid"));
    w->PostBtnClick();
    const SavedSetup r = firstRecord();
    EXPECT_EQ(r.codes.hort, "3");
    EXPECT_EQ(r.codes.bowWeight, "24");
    EXPECT_EQ(r.codes.arrowLength, "23");
}

TEST_F(TCustInfoTest, CloseDiscardsWhatWasTyped) {
    auto w = open();
    fill(*w, test::addressNamed("Smith"));
    w->ExitBtnClick();
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_EQ(records(), 0u);
    EXPECT_TRUE(takeShownTexts().isEmpty());
}

TEST_F(TCustInfoTest, FailedWriteShowsTheErrorAndNoSuccess) {
    test::FailingFileIo io;
    auto w = open();
    w->setFileIo(io);
    fill(*w, test::addressNamed("Smith"));
    io.failWritesTo(".dbf");
    w->PostBtnClick();
    const QStringList shown = takeShownTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_NE(shown[0], qs("New record has been successfully added"));
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_EQ(records(), 0u);

    // The window kept everything; once the disk is back the save goes through once.
    io.heal();
    w->PostBtnClick();
    EXPECT_EQ(takeShownTexts(), QStringList{"New record has been successfully added"});
    EXPECT_EQ(records(), 1u);
}

TEST_F(TCustInfoTest, RecordStoredButIndexNotUpdatedIsNoSuccessAndNoSecondSave) {
    test::FailingFileIo io;
    auto w = open();
    w->setFileIo(io);
    w->show();
    fill(*w, test::addressNamed("Smith"));
    io.failWritesTo(".idx");
    w->PostBtnClick();
    const QStringList shown = takeShownTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(qs("Saved.idx"))) << shown[0].toStdString();
    // The record is in the file: the window closes rather than invite a duplicate.
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(records(), 1u);
}

TEST_F(TCustInfoTest, MissingIndexStopsBeforeAnythingIsWritten) {
    std::filesystem::remove(dir() / "Saved.idx");
    EXPECT_THROW(open(), shell::UserError);
    EXPECT_EQ(records(), 0u);
}

}  // namespace
}  // namespace quivra::customers
