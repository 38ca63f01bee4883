// The search as the main window runs it: which events search, what the
// completeness test blocks, the invalid-selection path with its nested
// search, errors, and the grid state (carbon panel, hints) left on screen.

#include "AppTestSupport.h"
#include "BuilderRequest.h"

#include "CarbonPanel.h"
#include "MessageBox.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace quivra::app::test {
namespace {

using core::Page;
using shell::MessageBox;

QString firstLineOfInvsel(const std::filesystem::path& dir) {
    QFile file(QString::fromStdString((dir / "invsel.txt").string()));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(file.readLine()).trimmed();
}

TEST_F(MainWindowTest, FirstShowRunsOneSearchSoNoGridShowsPlaceholders) {
    EXPECT_EQ(window().searchCount(), 1);
    EXPECT_EQ(window().searchedPage(), core::Page::Hunt);
    EXPECT_EQ(withoutHints(shownGrid(window(), Page::Hunt)),
              expectedGrid(dataDir(), window().currentInputs()));
    EXPECT_FALSE(button(Page::Hunt, 1, SlotColumn::Size)->text().isEmpty());
}

TEST_F(MainWindowTest, OneDigitInAnEmptiedBowWeightChangesNothingTheSecondSearches) {
    QLineEdit* field = inputs().bowWeight();
    const auto before = shownGrid(window(), Page::Hunt);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClick(field, '7');
    EXPECT_EQ(field->text(), QStringLiteral("7"));
    EXPECT_EQ(shownGrid(window(), Page::Hunt), before);
    EXPECT_FALSE(window().engine().current().searched);

    QTest::keyClick(field, '0');
    EXPECT_TRUE(window().engine().current().searched);
    const auto after = shownGrid(window(), Page::Hunt);
    EXPECT_EQ(withoutHints(after), expectedGrid(dataDir(), window().currentInputs()));
    EXPECT_NE(after, before);
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
}

struct BlockedLength {
    Page page;
    const char* length;
};

class BlockedLengthTest : public MainWindowTest,
                          public ::testing::WithParamInterface<BlockedLength> {};

TEST_P(BlockedLengthTest, ArrowLengthOfOtherThanTwoCharactersBlocksTheSearch) {
    window().setActivePage(GetParam().page);
    const auto before = shownGrid(window(), GetParam().page);
    inputs().arrowLength()->setText(QString::fromLatin1(GetParam().length));
    EXPECT_FALSE(window().engine().current().searched);
    EXPECT_EQ(shownGrid(window(), GetParam().page), before);
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(HuntingAndTarget, BlockedLengthTest,
                         ::testing::Values(BlockedLength{Page::Hunt, "9"},
                                           BlockedLength{Page::Hunt, "100"},
                                           BlockedLength{Page::Targ, "9"},
                                           BlockedLength{Page::Targ, "100"}));

TEST_F(MainWindowTest, YouthPageSearchesWithAOneCharacterBowWeight) {
    inputs().bowWeight()->setText(QStringLiteral("6"));
    window().setActivePage(Page::Youth);
    EXPECT_EQ(window().searchedPage(), core::Page::Youth);
    const auto grid = shownGrid(window(), Page::Youth);
    EXPECT_EQ(withoutHints(grid), expectedGrid(dataDir(), window().currentInputs()));
    EXPECT_FALSE(grid.front().size.caption.empty());
}

TEST_F(MainWindowTest, SettingATextOrItemToItsCurrentValueRunsNoSearch) {
    const int before = window().searchCount();
    inputs().bowWeight()->setText(QStringLiteral("60"));
    inputs().bowType()->setItemIndex(0);
    EXPECT_EQ(window().searchCount(), before);
    inputs().releaseType()->setItemIndex(1);
    EXPECT_EQ(window().searchCount(), before + 1);
    inputs().pointWeight()->setText(QStringLiteral("105"));
    EXPECT_EQ(window().searchCount(), before + 2);
}

struct InvalidCase {
    const char* name;
    Page page;
    QLineEdit* (InputsPanel::*field)() const;
    const char* typed;
    const char* reset;
};

class InvalidSelectionTest : public MainWindowTest,
                             public ::testing::WithParamInterface<InvalidCase> {};

TEST_P(InvalidSelectionTest, MessageThenResetTextAndTheNestedSearchGridOnScreen) {
    const InvalidCase& c = GetParam();
    window().setActivePage(c.page);
    MessageBox::clearShownTexts();
    const int before = window().searchCount();

    MessageBox::setNextAnswer(MessageBox::Answer::Ok);
    QLineEdit* field = (inputs().*c.field)();
    field->setText(QString::fromLatin1(c.typed));

    EXPECT_EQ(MessageBox::shownTexts(), QStringList{firstLineOfInvsel(dataDir())});
    EXPECT_EQ(field->text(), QString::fromLatin1(c.reset));
    // Writing the reset text starts no search of the window's own: the
    // engine already ran the nested one.
    EXPECT_EQ(window().searchCount(), before + 1);
    EXPECT_EQ(withoutHints(shownGrid(window(), c.page)),
              expectedGrid(dataDir(), window().currentInputs()));
}

INSTANTIATE_TEST_SUITE_P(
    AllPages, InvalidSelectionTest,
    ::testing::Values(
        InvalidCase{"HuntingAboveChart", Page::Hunt, &InputsPanel::bowWeight, "100", "96"},
        InvalidCase{"HuntingBelowChart", Page::Hunt, &InputsPanel::bowWeight, "20", "32"},
        InvalidCase{"Target", Page::Targ, &InputsPanel::bowWeight, "124", "60"},
        InvalidCase{"Youth", Page::Youth, &InputsPanel::youthBowWeight, "45", "30"},
        InvalidCase{"Kestra", Page::Kstr, &InputsPanel::bowWeight, "95", "60"}),
    [](const ::testing::TestParamInfo<InvalidCase>& p) { return p.param.name; });

TEST_F(MainWindowTest, ANonIntegerBowWeightShowsTheConversionErrorAndChangesNoGrid) {
    const auto before = shownGrid(window(), Page::Hunt);
    inputs().bowWeight()->setText(QStringLiteral("6x"));
    EXPECT_EQ(MessageBox::shownTexts(),
              QStringList{QStringLiteral("'6x' is not a valid integer value")});
    EXPECT_EQ(shownGrid(window(), Page::Hunt), before);
    EXPECT_TRUE(window().isVisible());  // the program goes on
}

TEST_F(MainWindowTest, ARestoredSetupIsSearchedOnceWithAllItsValues) {
    selection::SelectionInputs in = window().currentInputs();
    in.page = Page::Youth;
    in.youthBowWeight = "20";
    in.youthArrowLength = "23";
    in.bowType = 1;
    in.overDraw = 3;
    const int before = window().searchCount();
    window().restoreInputs(in);
    EXPECT_EQ(window().searchCount(), before + 1);
    EXPECT_EQ(window().activePage(), Page::Youth);
    EXPECT_EQ(window().currentInputs(), in);
    EXPECT_EQ(window().searchedPage(), core::Page::Youth);
    EXPECT_EQ(withoutHints(shownGrid(window(), Page::Youth)), expectedGrid(dataDir(), in));
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
}

TEST(MainWindowWithoutDataTest, MissingTablesShowAnErrorAndTheWindowStaysUp) {
    QTemporaryDir empty;
    MessageBox::clearShownTexts();
    TArrowSel window(std::filesystem::path(empty.path().toStdString()));
    window.show();
    ASSERT_EQ(MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::shownTexts().front().contains(QLatin1String("HUNTCHRT.DBF"),
                                                          Qt::CaseInsensitive))
        << MessageBox::shownTexts().front().toStdString();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.page(Page::Hunt)->slotButton(1, SlotColumn::Size)->text().isEmpty());
    MessageBox::clearShownTexts();
}

TEST_F(MainWindowTest, CarbonPanelOpensFromDetailsAndOnlyCloseHidesIt) {
    const auto carbonAt = [](const std::vector<selection::RecommendationSlot>& g) {
        for (int i = 2; i < 10; ++i) {
            if (g[static_cast<std::size_t>(i)].weight.caption == "Details") return true;
        }
        return false;
    };
    const auto found = findHuntingInputs(dataDir(), carbonAt);
    ASSERT_TRUE(found) << "the delivered hunting chart has no carbon entry";
    applyInputs(*found);
    CarbonPanel* panel = window().carbonPanel();
    CategoryPage* hunt = window().page(Page::Hunt);
    EXPECT_FALSE(panel->isVisibleTo(hunt));

    int slot = 3;
    while (button(Page::Hunt, slot, SlotColumn::Weight)->caption() != QStringLiteral("Details")) {
        ++slot;
    }
    QPushButton* details = button(Page::Hunt, slot, SlotColumn::Weight);
    EXPECT_TRUE(details->isEnabled());
    EXPECT_EQ(details->toolTip(), QStringLiteral("Click to See Carbon Sizes & Details"));
    QTest::mouseClick(details, Qt::LeftButton);
    EXPECT_TRUE(panel->isVisibleTo(hunt));
    QTest::mouseClick(details, Qt::LeftButton);  // again: no change
    EXPECT_TRUE(panel->isVisibleTo(hunt));

    inputs().pointWeight()->setText(QStringLiteral("125"));  // a search
    window().setActivePage(Page::Targ);                      // a page change
    window().setActivePage(Page::Hunt);
    EXPECT_TRUE(panel->isVisibleTo(hunt));
    EXPECT_EQ(panel->closeButton()->toolTip(), QStringLiteral("Click to Exit"));

    QTest::mouseClick(panel->closeButton(), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisibleTo(hunt));
}

TEST_F(MainWindowTest, HintsAfterASearchKeepTheCarbonHintOfSlotNine) {
    const auto carbonNine = findHuntingInputs(
        dataDir(), [](const auto& g) { return g[8].weight.caption == "Details"; });
    const auto plainNine = findHuntingInputs(
        dataDir(), [](const auto& g) { return g[8].weight.caption != "Details"; });
    ASSERT_TRUE(carbonNine && plainNine);

    applyInputs(*carbonNine);
    EXPECT_FALSE(button(Page::Hunt, 9, SlotColumn::Size)->isEnabled());
    applyInputs(*plainNine);
    EXPECT_EQ(button(Page::Hunt, 9, SlotColumn::Size)->toolTip(),
              QStringLiteral("Click Details Button for Carbon Specs"));
    EXPECT_EQ(button(Page::Hunt, 1, SlotColumn::Size)->toolTip(),
              QStringLiteral("Click for Weight Calculation"));
    EXPECT_EQ(button(Page::Targ, 1, SlotColumn::Size)->toolTip(),
              QStringLiteral("Click for Weight Calculation"));
    for (int slot = 3; slot <= 8; ++slot) {
        if (button(Page::Hunt, slot, SlotColumn::Weight)->caption() == QStringLiteral("Details")) {
            continue;
        }
        EXPECT_EQ(button(Page::Hunt, slot, SlotColumn::Weight)->toolTip(),
                  QStringLiteral("Bare Shaft Weight in Grains"))
            << "slot " << slot;
    }
}

struct RequestCase {
    const char* name;
    Page page;
    int slot;
};

class DetailRequestTest : public MainWindowTest,
                          public ::testing::WithParamInterface<RequestCase> {};

TEST_P(DetailRequestTest, SizeButtonRecordsTheRequestOfItsRow) {
    const RequestCase& c = GetParam();
    window().setActivePage(c.page);
    if (c.page == Page::Hunt) window().HWtBtn9Click();  // slots 11 to 16 lie on the panel
    SlotButton* size = button(c.page, c.slot, SlotColumn::Size);
    ASSERT_FALSE(size->caption().isEmpty());
    ASSERT_TRUE(size->isEnabled());
    QTest::mouseClick(size, Qt::LeftButton);  // the builder it opens is closed at once

    const selection::DetailRequest& request = window().lastDetailRequest();
    EXPECT_EQ(request.page, c.page);
    EXPECT_EQ(QString::fromStdString(request.sizeCaption), size->caption());
    EXPECT_TRUE(QString::fromStdString(request.key).startsWith(size->caption()));
    EXPECT_GT(request.key.size(), request.sizeCaption.size());  // the chart's key text follows
    EXPECT_EQ(request.key.find(' '), std::string::npos);
    EXPECT_EQ(QString::fromStdString(request.modelsCaption),
              button(c.page, c.slot, SlotColumn::Models)->caption());
    if (c.page == Page::Targ) {
        EXPECT_TRUE(request.key.ends_with(
            window().engine().targetSpineLabels()[static_cast<std::size_t>(c.slot - 1)]));
    }
}

// The request names the page of the clicked grid, not the page whose search
// ran last: an unfinished bow weight stops the Hunting search while the
// Youth search runs regardless, and the Hunting rows must still open the
// builder with the Hunting inputs (arrow length, entered point weight).
TEST_F(MainWindowTest, SizeButtonAsksForItsOwnPageAfterAnotherPagesSearch) {
    window().inputs()->bowWeight()->setText(QStringLiteral("6"));
    window().setActivePage(Page::Youth);
    window().setActivePage(Page::Hunt);
    ASSERT_EQ(window().searchedPage(), Page::Youth);
    SlotButton* size = button(Page::Hunt, 1, SlotColumn::Size);
    ASSERT_FALSE(size->caption().isEmpty());
    ASSERT_TRUE(size->isEnabled());
    QTest::mouseClick(size, Qt::LeftButton);
    EXPECT_EQ(window().lastDetailRequest().page, Page::Hunt);
    EXPECT_EQ(QString::fromStdString(window().lastDetailRequest().sizeCaption), size->caption());
}

// The build sheet the builder opens saves to the customer and prints the
// bench ticket, as the one the Utilities menu opens does.
TEST_F(MainWindowTest, TheBuildersBuildSheetTakesTheCustomerCommands) {
    const details::DetailRequest request = builderRequest(window(), Page::Hunt, 1);
    EXPECT_TRUE(request.sheetCommands.saveToCustomer);
    EXPECT_TRUE(request.sheetCommands.ticket);
}

INSTANTIATE_TEST_SUITE_P(EveryPage, DetailRequestTest,
                         ::testing::Values(RequestCase{"HuntingMainGrid", Page::Hunt, 1},
                                           RequestCase{"HuntingCarbonPanel", Page::Hunt, 11},
                                           RequestCase{"Target", Page::Targ, 1},
                                           RequestCase{"Youth", Page::Youth, 2},
                                           RequestCase{"Kestra", Page::Kstr, 1}),
                         [](const ::testing::TestParamInfo<RequestCase>& p) {
                             return p.param.name;
                         });

}  // namespace
}  // namespace quivra::app::test
