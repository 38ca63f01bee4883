// The retrieval window: browsing, search by leading letters, edit and post,
// Return Data and Print, and the header decoding on screen.
#include "CustomerTables.h"
#include "RecordNavigator.h"
#include "SavedSetupStore.h"
#include "SetupSaving.h"
#include "TGetCust.h"
#include "UiHelpers.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

namespace quivra::customers {
namespace {

using namespace std::chrono;
using B = RecordNavigator::Button;
using core::Page;
using test::child;
using test::qs;
using test::takeShownTexts;
using test::typeInto;

class TGetCustTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::createSavedTables(dir()).isOk());
        takeShownTexts();
    }
    const std::filesystem::path& dir() const { return m_dir.path(); }
    void save(const CustomerAddress& a, const SetupCodes& codes = test::huntingCodes()) {
        SavedSetupStore store(dir());
        ASSERT_TRUE(store.open().isOk());
        ASSERT_TRUE(store.appendSetup(a, codes, year{2026} / March / day{7}).status.isOk());
    }
    std::unique_ptr<TGetCust> open(PrintCustomerFn print = {}) {
        return std::make_unique<TGetCust>(dir(), std::move(print), &m_result);
    }
    static QString shownName(const TGetCust& w) { return child(w, "DBEdit1")->text(); }
    static QString label(const TGetCust& w, const char* name) {
        return child<QLabel>(w, name)->text();
    }
    SavedSetup stored(const char* name) const {
        SavedSetupStore store(dir());
        EXPECT_TRUE(store.open().isOk());
        EXPECT_TRUE(store.seekName(name).value());
        return store.current().value();
    }

    std::optional<RestoredSetup> m_result;

private:
    test::ScratchDir m_dir;
};

TEST_F(TGetCustTest, OpensOnTheFirstNameAndShowsItsSetUp) {
    save(test::addressNamed("Smith"));
    save(test::addressNamed("Adams"), {"1", "45", "28", "85", "1", "2", "1", "1", "2"});
    auto w = open();
    EXPECT_EQ(w->windowTitle(), qs("2012 Retrieve Customer Information"));
    EXPECT_EQ(shownName(*w), qs("Adams"));
    EXPECT_EQ(label(*w, "Label24"), qs("45#"));
    EXPECT_EQ(label(*w, "Label25"), qs("28\""));
    EXPECT_EQ(label(*w, "Label27"), qs("85Gr"));
    EXPECT_EQ(label(*w, "Label17"), qs("Target Shafts"));
    EXPECT_EQ(label(*w, "Label9"), qs("Recurve"));
    EXPECT_EQ(label(*w, "Label10"), qs("Soft"));  // shown for a recurve too, never "N/A"
    EXPECT_EQ(label(*w, "Label15"), qs("Under 6.5\""));
    EXPECT_EQ(label(*w, "Label16"), qs("2\""));
    // The tan is the buttons' face, under a dark caption: as a caption colour
    // on the light face it read 1.8:1 and looked disabled.
    const QColor tan(0xCC, 0xB7, 0x76);  // 7780300 = 0x76B7CC, blue high
    for (const char* b : {"EncartaButton1", "EncartaButton2", "EncartaButton3"}) {
        const QPalette colours = child<QPushButton>(*w, b)->palette();
        EXPECT_EQ(colours.color(QPalette::Button), tan) << b;
        EXPECT_EQ(colours.color(QPalette::ButtonText), QColor(0x1a, 0x1a, 0x1a)) << b;
    }
}

TEST_F(TGetCustTest, NavigatorHintsAreTheNavigatorsOwn) {
    save(test::addressNamed("Smith"));
    auto w = open();
    const char* hints[] = {"Go to first record", "Go to previous record", "Go to next record",
                           "Go to last record",  "Edit record",           "Post record",
                           "Cancel changes "};
    auto* nav = child<RecordNavigator>(*w, "DBNavigator1");
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(nav->button(static_cast<B>(i))->toolTip(), qs(hints[i]));
    }
}

TEST_F(TGetCustTest, OneRecordStaysInPlaceWhateverButtonMoves) {
    save(test::addressNamed("Smith"));
    auto w = open();
    for (B b : {B::Prior, B::Next, B::Last, B::First, B::Next}) {
        w->DBNavigator1Click(b);
        EXPECT_EQ(shownName(*w), qs("Smith"));
        EXPECT_EQ(label(*w, "Label24"), qs("60#"));
    }
    EXPECT_TRUE(takeShownTexts().isEmpty());
}

TEST_F(TGetCustTest, BrowsingFollowsNameOrderAndStopsAtTheEnds) {
    for (const char* n : {"Clark", "Adams", "Baker"}) save(test::addressNamed(n));
    auto w = open();
    w->DBNavigator1Click(B::Next);
    EXPECT_EQ(shownName(*w), qs("Baker"));
    w->DBNavigator1Click(B::Last);
    w->DBNavigator1Click(B::Next);
    EXPECT_EQ(shownName(*w), qs("Clark"));
    w->DBNavigator1Click(B::Prior);
    EXPECT_EQ(shownName(*w), qs("Baker"));
}

TEST_F(TGetCustTest, CodeOutsideTheTableEmptiesTheLabelInsteadOfKeepingTheLastOne) {
    save(test::addressNamed("Adams"));  // hunting, all codes valid
    save(test::addressNamed("Baker"), {"7", "60", "30", "100", "4", "9", "5", "3", "8"});
    auto w = open();
    EXPECT_EQ(label(*w, "Label9"), qs("Compound"));
    w->DBNavigator1Click(B::Next);
    for (const char* l : {"Label17", "Label9", "Label10", "Label12", "Label15", "Label16"}) {
        EXPECT_EQ(label(*w, l), QString()) << l;
    }
}

TEST_F(TGetCustTest, SearchFindsTheFirstNameWithTheLetters) {
    for (const char* n : {"Smyth", "Adams", "Smith", "Smart"}) save(test::addressNamed(n));
    auto w = open();
    shell::MessageBox::setNextInput(qs("Sm"));
    w->Button1Click();
    EXPECT_EQ(shownName(*w), qs("Smart"));
    EXPECT_EQ(takeShownTexts(), QStringList{"Enter First Letters of Name, Xxx"});
}

TEST_F(TGetCustTest, SearchWithoutMatchSaysSoAndReturnsToTheFirstName) {
    for (const char* n : {"Smith", "Adams"}) save(test::addressNamed(n));
    auto w = open();
    w->DBNavigator1Click(B::Last);
    shell::MessageBox::setNextInput(qs("Zz"));
    w->Button1Click();
    EXPECT_EQ(takeShownTexts(),
              (QStringList{"Enter First Letters of Name, Xxx", "Name not found"}));
    EXPECT_EQ(shownName(*w), qs("Adams"));
}

TEST_F(TGetCustTest, CancelledOrUnstorableSearchTextEndsOnTheFirstName) {
    for (const char* n : {"Smith", "Adams"}) save(test::addressNamed(n));
    auto w = open();
    for (const char* typed : {"", "李"}) {
        SCOPED_TRACE(typed);
        w->DBNavigator1Click(B::Last);
        shell::MessageBox::setNextInput(qs(typed));
        w->Button1Click();
        EXPECT_EQ(shownName(*w), qs("Adams"));
        EXPECT_EQ(label(*w, "Label24"), qs("60#"));
        takeShownTexts();
    }
}

TEST_F(TGetCustTest, EditAndPostStoresTheCorrectionAndMovesTheName) {
    for (const char* n : {"Adams", "Baker"}) save(test::addressNamed(n));
    auto w = open();
    EXPECT_TRUE(child(*w, "DBEdit8")->isReadOnly());
    w->DBNavigator1Click(B::Edit);
    typeInto(child(*w, "DBEdit1"), qs("Zoë d'Arc \"Jo\""));
    typeInto(child(*w, "DBEdit8"), qs("Peoria"));
    typeInto(child(*w, "DBEdit9"), qs("ny"));
    child<QPlainTextEdit>(*w, "DBMemo1")->setPlainText(qs("one\ntwo"));
    w->DBNavigator1Click(B::Post);
    EXPECT_TRUE(takeShownTexts().isEmpty());
    const SavedSetup r = stored("Zo");
    EXPECT_EQ(r.address.name, "Zoë d'Arc \"Jo\"");
    EXPECT_EQ(r.address.city, "Peoria");
    EXPECT_EQ(r.address.state, "NY");
    EXPECT_EQ(r.address.comments, "one\r\ntwo");  // memo lines end CR LF
    EXPECT_EQ(r.codes, test::huntingCodes());
    // The corrected name now sorts last.
    w->DBNavigator1Click(B::First);
    EXPECT_EQ(shownName(*w), qs("Baker"));
    w->DBNavigator1Click(B::Next);
    EXPECT_EQ(shownName(*w), qs("Zoë d'Arc \"Jo\""));
}

// Mend: closing with an edit not posted asks instead of dropping it.
struct CloseCase {
    const char* name;
    bool returnData;
    shell::MessageBox::Answer answer;
    const char* storedCity;
    bool closes;
};

class CloseWithEditTest : public TGetCustTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseWithEditTest, AsksWhetherToSaveTheChanges) {
    const CloseCase& c = GetParam();
    save(test::addressNamed("Adams"));
    auto w = open();
    w->show();
    w->DBNavigator1Click(B::Edit);
    typeInto(child(*w, "DBEdit8"), qs("Elsewhere"));
    shell::MessageBox::setNextAnswer(c.answer);
    c.returnData ? w->ReturnDataBtnClick() : w->ExitBtnClick();
    EXPECT_EQ(takeShownTexts(), QStringList{qs("Save the changes to this customer?")});
    EXPECT_EQ(stored("Adams").address.city, c.storedCity);
    EXPECT_EQ(w->isVisible(), !c.closes);
    EXPECT_EQ(m_result.has_value(), c.closes && c.returnData);
    if (!c.closes) {  // still editing, with what was typed
        EXPECT_FALSE(child(*w, "DBEdit8")->isReadOnly());
        EXPECT_EQ(child(*w, "DBEdit8")->text(), qs("Elsewhere"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CloseWithEditTest,
    ::testing::Values(
        CloseCase{"CloseSave", false, shell::MessageBox::Answer::Save, "Elsewhere", true},
        CloseCase{"CloseDiscard", false, shell::MessageBox::Answer::Discard, "Springfield", true},
        CloseCase{"CloseCancel", false, shell::MessageBox::Answer::Cancel, "Springfield", false},
        CloseCase{"ReturnSave", true, shell::MessageBox::Answer::Save, "Elsewhere", true},
        CloseCase{"ReturnCancel", true, shell::MessageBox::Answer::Cancel, "Springfield", false}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST_F(TGetCustTest, EditWithNothingChangedClosesWithoutAQuestion) {
    save(test::addressNamed("Adams"));
    auto w = open();
    w->show();
    w->DBNavigator1Click(B::Edit);
    w->ExitBtnClick();
    EXPECT_TRUE(takeShownTexts().isEmpty());
    EXPECT_FALSE(w->isVisible());
}

// Mend: fields that cannot be typed into look it until Edit is pressed.
TEST_F(TGetCustTest, FieldsLookReadOnlyUntilEdit) {
    save(test::addressNamed("Adams"));
    auto w = open();
    QLineEdit* city = child(*w, "DBEdit8");
    QWidget* memo = child<QWidget>(*w, "DBMemo1");
    const auto base = [](const QWidget* field) { return field->palette().color(QPalette::Base); };
    const QColor face = w->palette().color(QPalette::Window);
    EXPECT_TRUE(city->isReadOnly());
    EXPECT_EQ(base(city), face);
    EXPECT_EQ(base(memo), face);
    w->DBNavigator1Click(B::Edit);
    EXPECT_FALSE(city->isReadOnly());
    EXPECT_NE(base(city), face);
    EXPECT_NE(base(memo), face);
    w->DBNavigator1Click(B::Cancel);
    EXPECT_EQ(base(city), face);
}

TEST_F(TGetCustTest, PostingACityLeavesForeignLineBreaksInTheCommentsAlone) {
    CustomerAddress a = test::addressNamed("Adams");
    a.comments = "written elsewhere\r\nsecond line\r\n";
    save(a);
    auto w = open();
    w->DBNavigator1Click(B::Edit);
    typeInto(child(*w, "DBEdit8"), qs("Peoria"));
    w->DBNavigator1Click(B::Post);
    EXPECT_EQ(stored("Adams").address.comments, a.comments);
    EXPECT_EQ(stored("Adams").address.city, "Peoria");
}

TEST_F(TGetCustTest, CancelRestoresTheShownRecord) {
    save(test::addressNamed("Adams"));
    auto w = open();
    w->DBNavigator1Click(B::Edit);
    typeInto(child(*w, "DBEdit8"), qs("Elsewhere"));
    w->DBNavigator1Click(B::Cancel);
    EXPECT_EQ(child(*w, "DBEdit8")->text(), qs("Springfield"));
    EXPECT_TRUE(child(*w, "DBEdit8")->isReadOnly());
}

TEST_F(TGetCustTest, ReturnDataHandsBackThePageAndTheSameInputs) {
    // Same inputs as the main window's defaults, but saved on the target page.
    save(test::addressNamed("Adams"), {"1", "60", "30", "100", "1", "0", "0", "0", "0"});
    auto w = open();
    w->ReturnDataBtnClick();
    EXPECT_EQ(w->result(), QDialog::Accepted);
    ASSERT_TRUE(m_result);
    EXPECT_EQ(m_result->page, Page::Targ);
    EXPECT_EQ(m_result->bowWeight, "60");
    EXPECT_EQ(m_result->arrowLength, "30");
    EXPECT_EQ(m_result->pointWeight, "100");
    EXPECT_EQ(m_result->bowType, 1);
    EXPECT_EQ(m_result->targBowType, 1);
    EXPECT_FALSE(m_result->youthBowWeight);
}

TEST_F(TGetCustTest, ReturnDataOfAYouthRecordSelectsTheYouthPage) {
    save(test::addressNamed("Kid"), {"3", "24", "23", "100", "0", "0", "0", "0", "0"});
    auto w = open();
    EXPECT_EQ(label(*w, "Label17"), qs("Youth Shafts"));
    w->ReturnDataBtnClick();
    ASSERT_TRUE(m_result);
    EXPECT_EQ(m_result->page, Page::Youth);
    EXPECT_EQ(m_result->youthBowWeight, "24");
    EXPECT_EQ(m_result->youthArrowLength, "23");
    EXPECT_FALSE(m_result->bowWeight);
}

TEST_F(TGetCustTest, OldRecordWithoutCategoryKeepsThePage) {
    save(test::addressNamed("Old"), {"", "55", "28", "100", "0", "0", "0", "0", "0"});
    auto w = open();
    EXPECT_EQ(label(*w, "Label17"), QString());
    w->ReturnDataBtnClick();
    ASSERT_TRUE(m_result);
    EXPECT_FALSE(m_result->page);
    EXPECT_EQ(m_result->bowWeight, "55");
}

TEST_F(TGetCustTest, PrintGetsWhatTheWindowShowsAndTheWindowStays) {
    save(test::addressNamed("Adams"));
    save(test::addressNamed("Baker"));
    std::vector<CustomerRecordView> printed;
    std::vector<CustomerOutput> outputs;
    auto w = open([&](QWidget*, const CustomerRecordView& v, CustomerOutput o) {
        printed.push_back(v);
        outputs.push_back(o);
    });
    w->DBNavigator1Click(B::Next);
    w->SpeedButton1Click();
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].name, "Baker");
    EXPECT_EQ(printed[0].city, "Springfield");
    EXPECT_EQ(printed[0].bowWeight, "60#");
    EXPECT_EQ(printed[0].category, "Hunting Shafts");
    EXPECT_EQ(printed[0].overDraw, "None");
    EXPECT_EQ(shownName(*w), qs("Baker"));
    // "Save as PDF" hands over the same texts, for a file instead of the printer.
    w->SavePdfBtnClick();
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[1], printed[0]);
    w->PreviewBtnClick();
    ASSERT_EQ(printed.size(), 3u);
    EXPECT_EQ(printed[2], printed[0]);
    EXPECT_EQ(outputs,
              (std::vector<CustomerOutput>{CustomerOutput::Printer, CustomerOutput::PdfFile,
                                           CustomerOutput::Preview}));
    EXPECT_EQ(shownName(*w), qs("Baker"));
}

// Three set-ups of Ann (two with an arrow, saved on other days) and one of
// another customer of the same name elsewhere.
class TGetCustHistoryTest : public TGetCustTest {
protected:
    void saveOn(const CustomerAddress& a, year_month_day date, const SetupCodes& codes,
                std::optional<SavedBuild> build) {
        const SaveOutcome out =
            saveSetupWithBuild(dir(), storage::FileIo::posix(), a, codes, date, build);
        ASSERT_TRUE(out.status.isOk()) << out.status.message();
    }
    void SetUp() override {
        TGetCustTest::SetUp();
        SavedBuild first = test::sampleBuild();
        first.size = "400";
        first.models = "KV";
        saveOn(test::addressNamed("Ann"), year{2024} / April / day{2}, test::huntingCodes(), first);
        saveOn(test::addressNamed("Ann"), year{2026} / March / day{7},
               {"1", "45", "28", "85", "1", "2", "1", "1", "2"}, test::sampleBuild());
        saveOn(test::addressNamed("Ann"), year{2025} / May / day{1}, test::huntingCodes(),
               std::nullopt);
        CustomerAddress elsewhere = test::addressNamed("Ann");
        elsewhere.addr1 = "9 Other Lane";
        saveOn(elsewhere, year{2026} / June / day{1}, test::huntingCodes(), test::sampleBuild());
    }
    std::unique_ptr<TGetCust> openWithHistory(TicketFn ticket = {}) {
        return std::make_unique<TGetCust>(dir(), RetrievalCommands{{}, std::move(ticket)},
                                          &m_retrieved);
    }
    static QStringList rows(const TGetCust& w) {
        QStringList out;
        auto* list = child<QTreeWidget>(w, "HistoryList");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < list->columnCount(); ++c) cells << list->topLevelItem(i)->text(c);
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }

    std::optional<Retrieved> m_retrieved;
};

TEST_F(TGetCustHistoryTest, ListsTheCustomerNewestFirstAndShowsTheLineChosen) {
    auto w = openWithHistory();
    // The window opens on the first Ann in name order; the history is hers
    // at her address only.
    EXPECT_EQ(rows(*w), (QStringList{"03/07/2026|Target Shafts|45#|28\"|340 CH",
                                     "05/01/2025|Hunting Shafts|60#|30\"|(no build)",
                                     "04/02/2024|Hunting Shafts|60#|30\"|400 KV"}));
    auto* list = child<QTreeWidget>(*w, "HistoryList");
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_EQ(label(*w, "Label17"), qs("Target Shafts"));
    EXPECT_TRUE(child<QPushButton>(*w, "ReorderBtn")->isEnabled());
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(label(*w, "Label17"), qs("Hunting Shafts"));
    // A set-up saved without an arrow has nothing to re-order.
    EXPECT_FALSE(child<QPushButton>(*w, "ReorderBtn")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(*w, "TicketBtn")->isEnabled());
    EXPECT_TRUE(takeShownTexts().isEmpty());
}

TEST_F(TGetCustHistoryTest, ReorderHandsBackTheSetUpWithItsBuildAndTicketTheBuild) {
    std::vector<CustomerBuild> tickets;
    auto w = openWithHistory([&](QWidget*, const CustomerBuild& b) { tickets.push_back(b); });
    auto* list = child<QTreeWidget>(*w, "HistoryList");
    list->setCurrentItem(list->topLevelItem(2));
    w->TicketBtnClick();
    ASSERT_EQ(tickets.size(), 1u);
    EXPECT_EQ(tickets[0].build.size, "400");
    EXPECT_EQ(tickets[0].customer.name, "Ann");
    EXPECT_EQ(tickets[0].setupDate, "04/02/2024");

    list->setCurrentItem(list->topLevelItem(0));
    w->ReorderBtnClick();
    ASSERT_TRUE(m_retrieved);
    ASSERT_TRUE(m_retrieved->reorder);
    SavedBuild expected = test::sampleBuild();
    expected.savedAt = m_retrieved->reorder->build.savedAt;
    EXPECT_EQ(m_retrieved->reorder->build, expected);
    // The set-up comes back as Return Data would bring it: the target page
    // with its inputs.
    EXPECT_EQ(m_retrieved->setup.page, Page::Targ);
    EXPECT_EQ(m_retrieved->setup.bowWeight, std::optional<std::string>("45"));
    EXPECT_EQ(w->result(), QDialog::Accepted);
}

TEST_F(TGetCustHistoryTest, ReturnDataOfAHistoryLineBringsNoBuild) {
    auto w = openWithHistory();
    auto* list = child<QTreeWidget>(*w, "HistoryList");
    list->setCurrentItem(list->topLevelItem(0));
    w->ReturnDataBtnClick();
    ASSERT_TRUE(m_retrieved);
    EXPECT_FALSE(m_retrieved->reorder);
    EXPECT_EQ(m_retrieved->setup.page, Page::Targ);
}

}  // namespace
}  // namespace quivra::customers
