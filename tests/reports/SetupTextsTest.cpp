// The set-up block's wording and "N/A" rules, and the weight column's
// "See Below", checked on the texts before any drawing.

#include "Clock.h"
#include "ReportFixtures.h"
#include "ReportTexts.h"
#include "SetupTexts.h"

#include <gtest/gtest.h>

namespace quivra::reports {
namespace {

using quivra::core::Page;

QString valueOf(const SetupBlock& block, const QString& caption) {
    for (const auto* column : {&block.left, &block.right}) {
        for (const SetupLine& line : *column) {
            if (line.caption == caption) return line.value;
        }
    }
    return QStringLiteral("<no such line>");
}

struct NotApplicableCase {
    const char* name;
    Page page;
    int bowType;                             // BowType on the hunting page, TargBowType elsewhere
    std::vector<const char*> notApplicable;  // captions printed as "N/A"
};

class NotApplicableRules : public ::testing::TestWithParam<NotApplicableCase> {};

TEST_P(NotApplicableRules, OnlyTheListedLinesReadNA) {
    const NotApplicableCase& c = GetParam();
    CategoryReportData data = test::categoryData(c.page, 0);
    data.inputs.bowType = c.bowType;
    data.inputs.targBowType = c.bowType;
    const SetupBlock block = setupBlock(data);
    for (const auto* column : {&block.left, &block.right}) {
        for (const SetupLine& line : *column) {
            const bool listed =
                std::find_if(c.notApplicable.begin(), c.notApplicable.end(), [&](const char* n) {
                    return line.caption == QLatin1String(n);
                }) != c.notApplicable.end();
            EXPECT_EQ(line.value == QLatin1String("N/A"), listed) << line.caption.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reports, NotApplicableRules,
    ::testing::Values(NotApplicableCase{"HuntingCompound", Page::Hunt, 0, {}},
                      NotApplicableCase{"HuntingRecurve",
                                        Page::Hunt,
                                        1,
                                        {"Over Draw:", "Wheel Type:", "Release:", "Brace Height:"}},
                      NotApplicableCase{"HuntingLongbow",
                                        Page::Hunt,
                                        2,
                                        {"Over Draw:", "Wheel Type:", "Release:", "Brace Height:"}},
                      NotApplicableCase{"TargetCompound", Page::Targ, 0, {}},
                      NotApplicableCase{"TargetRecurve",
                                        Page::Targ,
                                        1,
                                        {"Point Weight:", "Over Draw:", "Wheel Type:", "Release:",
                                         "Brace Height:"}},
                      NotApplicableCase{"KestraCompound", Page::Kstr, 0, {}},
                      NotApplicableCase{"KestraRecurve", Page::Kstr, 1, {}},
                      NotApplicableCase{"YouthRecurve", Page::Youth, 1, {}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(SetupTexts, EachReportPrintsItsOwnLines) {
    const auto captions = [](Page page) {
        QStringList list;
        const SetupBlock block = setupBlock(test::categoryData(page, 0));
        for (const auto& l : block.left) list << l.caption;
        list << QStringLiteral("|");
        for (const auto& l : block.right) list << l.caption;
        return list.join(QLatin1Char(' '));
    };
    const QString full = QStringLiteral(
        "Peak Bow Weight: Arrow Length: Point Weight: Over Draw: | Bow Type: Wheel Type: "
        "Release: Brace Height:");
    EXPECT_EQ(captions(Page::Hunt), full);
    EXPECT_EQ(captions(Page::Targ), full);
    EXPECT_EQ(captions(Page::Youth), QStringLiteral("Peak Bow Weight: Arrow Length: |"));
    EXPECT_EQ(captions(Page::Kstr),
              QStringLiteral("Peak Bow Weight: Arrow Length: | Bow Type: Wheel Type:"));
}

TEST(SetupTexts, YouthReportPrintsTheYouthInputs) {
    CategoryReportData data = test::categoryData(Page::Youth, 0);
    data.inputs.bowWeight = "70";
    data.inputs.arrowLength = "31";
    data.inputs.youthBowWeight = "22";
    data.inputs.youthArrowLength = "24";
    const SetupBlock block = setupBlock(data);
    EXPECT_EQ(valueOf(block, QStringLiteral("Peak Bow Weight:")), QStringLiteral("22"));
    EXPECT_EQ(valueOf(block, QStringLiteral("Arrow Length:")), QStringLiteral("24"));
}

TEST(SetupTexts, ValuesAreTheEditTextsWithoutUnits) {
    CategoryReportData data = test::categoryData(Page::Kstr, 0);
    data.inputs.bowWeight = "5x";  // printed as typed, never converted
    data.inputs.arrowLength = "";
    const SetupBlock block = setupBlock(data);
    EXPECT_EQ(valueOf(block, QStringLiteral("Peak Bow Weight:")), QStringLiteral("5x"));
    EXPECT_EQ(valueOf(block, QStringLiteral("Arrow Length:")), QString());
}

TEST(SetupTexts, Decodings) {
    const struct {
        QString (*decode)(int);
        int index;
        const char* text;
    } cases[] = {
        {reportOverDrawText, 0, "None"},
        {reportOverDrawText, 1, "1 inch"},
        {reportOverDrawText, 3, "3 inches"},
        {reportOverDrawText, 5, "5 inches"},
        {reportOverDrawText, 6, ""},
        {reportOverDrawText, -1, ""},
        {reportBraceHeightText, 0, "More Than 6 1/2\""},
        {reportBraceHeightText, 1, "Less Than 6 1/2\""},
        {reportReleaseText, 1, "Fingers"},
        {huntingBowTypeText, 2, "Longbow"},
        {huntingWheelTypeText, 1, "Medium Cam"},
        // The third cam class has its own text on the hunting report.
        {huntingWheelTypeText, 2, "Soft Cam"},
        {targetBowTypeText, 2, ""},
        {targetWheelTypeText, 1, "Soft/Energy Cam"},
        {targetWheelTypeText, 2, "Round"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.decode(c.index), QString::fromLatin1(c.text)) << c.text;
    }
}

TEST(SetupTexts, SeeBelowOnlyInTheHuntingCarbonDetailSlots) {
    const QString details = QStringLiteral("Details");
    for (int slot = 1; slot <= 16; ++slot) {
        const bool seeBelow = slot == 4 || slot == 5 || slot == 7 || slot == 8;
        EXPECT_EQ(printedWeightCaption(Page::Hunt, slot, details),
                  seeBelow ? QStringLiteral("See Below") : details)
            << "slot " << slot;
        EXPECT_EQ(printedWeightCaption(Page::Targ, slot, details), details);
    }
    EXPECT_EQ(printedWeightCaption(Page::Hunt, 4, QStringLiteral("466")), QStringLiteral("466"));
    EXPECT_EQ(printedWeightCaption(Page::Hunt, 4, QStringLiteral("details")),
              QStringLiteral("details"));
}

TEST(ReportTexts, PrintTimeComesFromTheClock) {
    using namespace std::chrono;
    const core::FixedClock clock(
        {.date = year{2026} / March / day{7}, .hour = 17, .minute = 5, .second = 30});
    const core::ScopedClock inForce(clock);
    EXPECT_EQ(printTime(), QDateTime(QDate(2026, 3, 7), QTime(17, 5, 30)));
    EXPECT_EQ(printedDateText(printTime()), QStringLiteral("Mar 7, 2026"));
}

}  // namespace
}  // namespace quivra::reports
