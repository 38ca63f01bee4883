// The category reports as printed: each is written to a PDF file and read back
// with its word boxes, then texts and places are compared with the page
// geometry (millimetres from the detail band's top-left corner).

#include "ReportFixtures.h"

#include <gtest/gtest.h>

#include <array>

namespace quivra::reports::test {
namespace {

using quivra::core::Page;

struct PageGeometry {
    const char* name;
    Page page;
    std::vector<double> leftSetupTops;
    std::vector<double> rightSetupTops;
    const char* gridHeading;
    double gridHeadingTop;
    double columnHeadTop;
    const char* spineHead;
    std::array<double, 4> headLefts;  // Kestra's "Spine" head is centred instead
    std::array<double, 4> cellCentres;
    std::vector<double> rowTops;  // slot 1 first
    double commentTop;
};

std::vector<double> evenly(double first, double pitch, int count) {
    std::vector<double> tops;
    tops.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) tops.push_back(first + i * pitch);
    return tops;
}

std::vector<double> huntingRows() {
    // Slots 1 to 10 every 6.35 mm; the carbon rows 11 to 16 one pitch lower
    // than they stood when slot 10 was left off the page.
    std::vector<double> tops = evenly(109.0, 6.35, 10);
    for (double top : {173.8, 180.4, 186.8, 193.1, 199.5, 205.6}) tops.push_back(top + 6.35);
    return tops;
}

const std::array<double, 4> kHuntingHeads{51.3, 72.8, 104.2, 130.2};
const std::array<double, 4> kHuntingCells{55.2, 82.9, 109.9, 137.2};

std::vector<PageGeometry> geometries() {
    return {
        {"Hunting",
         Page::Hunt,
         {65.4, 71.7, 78.1, 84.4},
         {65.4, 71.7, 78.1, 84.4},
         "2012 Hunting Shafts",
         93.4,
         100.0,
         "Spine Value",
         kHuntingHeads,
         kHuntingCells,
         huntingRows(),
         224.4},
        {"Target",
         Page::Targ,
         evenly(64.3, 5.6, 4),
         evenly(62.7, 5.6, 4),
         "2012 Target Shafts",
         92.6,
         100.0,
         "Spine Value",
         {47.4, 72.5, 100.8, 128.3},
         {51.3, 82.6, 106.5, 135.3},
         evenly(108.7, 7.2, 14),
         211.7},
        {"Youth",
         Page::Youth,
         {64.3, 70.1},
         {},
         "2012 Youth Shafts",
         78.3,
         91.5,
         "Spine Value",
         kHuntingHeads,
         kHuntingCells,
         evenly(100.5, 6.35, 8),
         211.7},
        {"Kestra",
         Page::Kstr,
         {64.3, 70.1},
         {62.7, 68.3},
         "2012 Kestra Shafts",
         78.3,
         91.5,
         "Spine",
         kHuntingHeads,
         kHuntingCells,
         evenly(103.2, 7.4, 6),
         211.7},
    };
}

// Paper position of a band position.
double paperX(double bandX) {
    return kBandLeft + bandX;
}
double paperY(double bandY) {
    return kBandTop + bandY;
}

class CategoryReportPage : public ::testing::TestWithParam<PageGeometry> {};

TEST_P(CategoryReportPage, ShopBlockAndCommentBox) {
    const PageGeometry& g = GetParam();
    QUIVRA_READ_PAGE(page, PrintedPage::category(categoryData(g.page, 0), &readError));

    const struct {
        const char* text;
        double top;
    } lines[] = {
        {"Cedar Point Archery", 16.9},      {"12 Mill Street", 22.6},
        {"Ashford, CT 06278", 27.3},        {"Phone: 860-555-0100 FAX: 860-555-0101", 31.8},
        {"December 8, 2026 2:35 PM", 36.0},
    };
    for (const auto& line : lines) {
        const auto word = page.find(QString::fromLatin1(line.text));
        ASSERT_TRUE(word) << line.text << " in: " << page.allText().toStdString();
        EXPECT_NEAR(word->top, paperY(line.top), kTolerance) << line.text;
        EXPECT_NEAR(word->centre(), paperX(95.8), kTolerance) << line.text;
    }
    // ADDR2 and COUNTRY are not part of the shop block.
    EXPECT_FALSE(page.find(QStringLiteral("Unit 9")));
    EXPECT_FALSE(page.find(QStringLiteral("Nowhere")));

    const auto comment = page.find(QStringLiteral("Open every day but Tuesday"));
    ASSERT_TRUE(comment);
    EXPECT_NEAR(comment->top, paperY(g.commentTop + 5.0), kTolerance);
    EXPECT_NEAR(comment->centre(), paperX(25.4 + 139.2 / 2), kTolerance);
}

TEST_P(CategoryReportPage, HeadingsAndSetupPlaces) {
    const PageGeometry& g = GetParam();
    QUIVRA_READ_PAGE(page, PrintedPage::category(categoryData(g.page, 0), &readError));

    const auto setup = page.find(QStringLiteral("Equipment Setup Variables"));
    ASSERT_TRUE(setup);
    EXPECT_NEAR(setup->top, paperY(54.2), kTolerance);
    EXPECT_NEAR(setup->centre(), paperX(95.25), kTolerance);

    const auto grid = page.find(QString::fromLatin1(g.gridHeading));
    ASSERT_TRUE(grid) << page.allText().toStdString();
    EXPECT_NEAR(grid->top, paperY(g.gridHeadingTop), kTolerance);
    EXPECT_NEAR(grid->centre(), paperX(95.25), kTolerance);

    const std::array<const char*, 4> heads{"Size", g.spineHead, "Models", "Weight"};
    for (std::size_t c = 0; c < heads.size(); ++c) {
        const auto head = page.find(QString::fromLatin1(heads[c]));
        ASSERT_TRUE(head) << heads[c];
        EXPECT_NEAR(head->top, paperY(g.columnHeadTop), kTolerance) << heads[c];
        if (g.page == Page::Kstr && c == 1) {
            EXPECT_NEAR(head->centre(), paperX(g.cellCentres[c]), kTolerance);
        } else {
            EXPECT_NEAR(head->left, paperX(g.headLefts[c]), kTolerance) << heads[c];
        }
    }
    // "Spine" alone is the Kestra head; the others print "Spine Value".
    EXPECT_EQ(page.find(QStringLiteral("Spine Value")).has_value(), g.page != Page::Kstr);

    const auto checkColumn = [&](const std::vector<double>& tops, double captionRight,
                                 double valueLeft, bool leftColumn) {
        for (std::size_t i = 0; i < tops.size(); ++i) {
            const auto line = page.lineAt(paperY(tops[i]));
            // The caption ends at the caption edge; the value starts at the
            // value edge.
            const auto caption = std::find_if(line.begin(), line.end(), [&](const PdfWord& w) {
                return w.text.endsWith(QLatin1Char(':')) &&
                       std::abs(w.right - paperX(captionRight)) < kTolerance;
            });
            EXPECT_NE(caption, line.end()) << (leftColumn ? "left" : "right") << " row " << i;
            const auto value = std::find_if(line.begin(), line.end(), [&](const PdfWord& w) {
                return std::abs(w.left - paperX(valueLeft)) < kTolerance;
            });
            EXPECT_NE(value, line.end()) << (leftColumn ? "left" : "right") << " value " << i;
        }
    };
    checkColumn(g.leftSetupTops, 62.7, 64.3, true);
    checkColumn(g.rightSetupTops, 139.7, 141.3, false);
}

TEST_P(CategoryReportPage, EverySlotInItsRowAndColumn) {
    const PageGeometry& g = GetParam();
    const int count = static_cast<int>(g.rowTops.size());
    QUIVRA_READ_PAGE(page, PrintedPage::category(categoryData(g.page, count), &readError));
    for (int n = 1; n <= count; ++n) {
        const double top = paperY(g.rowTops[static_cast<std::size_t>(n - 1)]);
        for (std::size_t c = 0; c < 4; ++c) {
            const QString text = QString(QLatin1Char("SPMW"[c])) + QString::number(n);
            const auto cell = page.find(text);
            ASSERT_TRUE(cell) << text.toStdString();
            EXPECT_NEAR(cell->top, top, kTolerance) << text.toStdString();
            EXPECT_NEAR(cell->centre(), paperX(g.cellCentres[c]), kTolerance) << text.toStdString();
        }
    }
    // A grid longer than the page's rows prints no more than the page holds.
    EXPECT_FALSE(page.find(QStringLiteral("S") + QString::number(count + 1)));
}

TEST_P(CategoryReportPage, EmptySlotsLeaveBlankRowsInPlace) {
    const PageGeometry& g = GetParam();
    CategoryReportData data = categoryData(g.page, 4);
    data.grid[1] = {};  // slot 2 left empty by the search
    QUIVRA_READ_PAGE(page, PrintedPage::category(data, &readError));
    EXPECT_TRUE(page.lineAt(paperY(g.rowTops[1])).empty());
    const auto third = page.find(QStringLiteral("S3"));
    ASSERT_TRUE(third);
    EXPECT_NEAR(third->top, paperY(g.rowTops[2]), kTolerance);
    // Slots the grid does not hold at all print nothing either.
    for (std::size_t i = 4; i < g.rowTops.size(); ++i) {
        EXPECT_TRUE(page.lineAt(paperY(g.rowTops[i])).empty()) << "row " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Reports, CategoryReportPage, ::testing::ValuesIn(geometries()),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// --- what each report prints in its set-up block -----------------------------

struct SetupCase {
    const char* name;
    Page page;
    int bowType;
    int overDraw;
    int wheelType;  // WheelType, which only the target report reads
    int huntCam;    // HuntCamType, which the hunting and Kestra reports read
    std::vector<std::pair<const char*, const char*>> expected;  // caption, value
};

class SetupBlockPrint : public ::testing::TestWithParam<SetupCase> {};

TEST_P(SetupBlockPrint, CaptionFollowedByItsValue) {
    const SetupCase& c = GetParam();
    CategoryReportData data = categoryData(c.page, 0);
    data.inputs.bowType = c.bowType;
    data.inputs.targBowType = c.bowType;
    data.inputs.overDraw = c.overDraw;
    data.inputs.wheelType = c.wheelType;
    data.inputs.huntCamType = c.huntCam;
    data.inputs.bowWeight = "64";
    data.inputs.arrowLength = "28";
    data.inputs.pointWeight = "125";
    data.inputs.youthBowWeight = "23";
    data.inputs.youthArrowLength = "22";
    QUIVRA_READ_PAGE(page, PrintedPage::category(data, &readError));
    for (const auto& [caption, value] : c.expected) {
        const auto found = page.find(QString::fromLatin1(caption));
        ASSERT_TRUE(found) << caption;
        const auto line = page.lineAt(found->top);
        // The value is what follows the caption on its line, up to the next
        // caption (or the end of the line).
        QStringList after;
        for (const PdfWord& w : line) {
            if (w.left < found->right + 0.1) continue;
            if (w.left > found->right + 40.0) break;
            after << w.text;
        }
        EXPECT_EQ(after.join(QLatin1Char(' ')), QString::fromLatin1(value)) << caption;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reports, SetupBlockPrint,
    ::testing::Values(
        SetupCase{"HuntingCompound",
                  Page::Hunt,
                  0,
                  1,
                  2,
                  1,
                  {{"Peak Bow Weight:", "64"},
                   {"Arrow Length:", "28"},
                   {"Point Weight:", "125"},
                   {"Over Draw:", "1 inch"},
                   {"Bow Type:", "Compound"},
                   {"Wheel Type:", "Medium Cam"},
                   {"Release:", "Mechanical"},
                   {"Brace Height:", "More Than 6 1/2\""}}},
        SetupCase{"HuntingLongbow",
                  Page::Hunt,
                  2,
                  3,
                  1,
                  0,
                  {{"Point Weight:", "125"},
                   {"Over Draw:", "N/A"},
                   {"Bow Type:", "Longbow"},
                   {"Wheel Type:", "N/A"},
                   {"Release:", "N/A"},
                   {"Brace Height:", "N/A"}}},
        SetupCase{"TargetCompound",
                  Page::Targ,
                  0,
                  3,
                  2,
                  1,
                  {{"Over Draw:", "3 inches"}, {"Wheel Type:", "Round"}, {"Point Weight:", "125"}}},
        SetupCase{"TargetRecurve",
                  Page::Targ,
                  1,
                  3,
                  2,
                  0,
                  {{"Peak Bow Weight:", "64"},
                   {"Arrow Length:", "28"},
                   {"Point Weight:", "N/A"},
                   {"Over Draw:", "N/A"},
                   {"Bow Type:", "Recurve"},
                   {"Wheel Type:", "N/A"}}},
        SetupCase{"YouthUsesYouthInputs",
                  Page::Youth,
                  0,
                  0,
                  0,
                  0,
                  {{"Peak Bow Weight:", "23"}, {"Arrow Length:", "22"}}},
        SetupCase{"KestraRecurveNeverNA",
                  Page::Kstr,
                  1,
                  0,
                  1,
                  0,
                  {{"Peak Bow Weight:", "64"},
                   {"Arrow Length:", "28"},
                   {"Bow Type:", "Recurve"},
                   {"Wheel Type:", "Hard Cam"}}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(CategoryReportPrint, ReportsPrintOnlyTheirOwnSetupLines) {
    for (Page page : {Page::Youth, Page::Kstr}) {
        QUIVRA_READ_PAGE(printed, PrintedPage::category(categoryData(page, 0), &readError));
        for (const char* absent :
             {"Point Weight:", "Release:", "Brace Height:", "Over Draw:", "N/A"}) {
            EXPECT_FALSE(printed.find(QString::fromLatin1(absent))) << absent;
        }
        EXPECT_EQ(printed.find(QStringLiteral("Bow Type:")).has_value(), page == Page::Kstr);
    }
}

// --- the hunting grid's carbon rows ----------------------------------------------

TEST(HuntingReportPrint, SeeBelowOnlyInSlots4578) {
    CategoryReportData data = categoryData(Page::Hunt, 16);
    for (auto& slot : data.grid) slot.weight.caption = "Details";
    QUIVRA_READ_PAGE(page, PrintedPage::category(data, &readError));
    const std::vector<double> rows = huntingRows();
    for (int n = 1; n <= 16; ++n) {
        const auto line = page.lineAt(paperY(rows[static_cast<std::size_t>(n - 1)]));
        ASSERT_FALSE(line.empty()) << "slot " << n;
        const bool seeBelow = n == 4 || n == 5 || n == 7 || n == 8;
        QStringList texts;
        for (const PdfWord& w : line) texts << w.text;
        EXPECT_EQ(texts.join(QLatin1Char(' ')),
                  QStringLiteral("S%1 P%1 M%1 %2").arg(n).arg(seeBelow ? "See Below" : "Details"))
            << "slot " << n;
    }
}

TEST(HuntingReportPrint, Slot10PrintsUnderSlot9AndCarbonSectionMovesDown) {
    QUIVRA_READ_PAGE(page, PrintedPage::category(categoryData(Page::Hunt, 16), &readError));
    const auto slot9 = page.find(QStringLiteral("S9"));
    const auto slot10 = page.find(QStringLiteral("S10"));
    ASSERT_TRUE(slot9 && slot10);
    EXPECT_NEAR(slot10->top - slot9->top, 6.35, 0.05);
    const auto carbon = page.find(QStringLiteral("Carbon Shafts"));
    ASSERT_TRUE(carbon);
    EXPECT_NEAR(carbon->top, paperY(167.5 + 6.35), kTolerance);
    EXPECT_GT(carbon->top, slot10->bottom);
    const auto slot11 = page.find(QStringLiteral("S11"));
    ASSERT_TRUE(slot11);
    EXPECT_NEAR(slot11->top, paperY(173.8 + 6.35), kTolerance);
    // The last carbon row stays clear of the comment box.
    const auto slot16 = page.find(QStringLiteral("S16"));
    ASSERT_TRUE(slot16);
    EXPECT_LT(slot16->bottom, paperY(224.4));
}

TEST(CategoryReportPrint, CellTextsArePrintedAsShownWithoutSurroundingBlanks) {
    CategoryReportData data = categoryData(Page::Targ, 2);
    data.grid[0].spine.caption = "  0.500 ";  // the spine caption is read untrimmed
    data.grid[0].models.caption = "Carbon Hunter Select";
    data.grid[1].models.caption = "A very long model family name that cannot fit";
    QUIVRA_READ_PAGE(page, PrintedPage::category(data, &readError));
    const auto spine = page.find(QStringLiteral("0.500"));
    ASSERT_TRUE(spine);
    EXPECT_NEAR(spine->centre(), paperX(82.6), kTolerance);
    // A text too wide for its column is set smaller and stays centred in
    // its row, clear of the neighbouring columns.
    const auto models = page.find(QStringLiteral("Carbon Hunter Select"));
    ASSERT_TRUE(models) << page.allText().toStdString();
    EXPECT_NEAR(models->centre(), paperX(106.5), kTolerance);
    EXPECT_LE(models->right - models->left, 26.0 + 0.1);
    EXPECT_LT(models->bottom, paperY(108.7 + 7.2));
    // One that would not fit even then is cut short with an ellipsis.
    const auto second = page.find(QStringLiteral("S2"));
    ASSERT_TRUE(second);
    QStringList cut;
    double left = 1000;
    double right = 0;
    for (const PdfWord& w : page.words()) {
        // The smaller text keeps the row's centre line, so its top is lower.
        if (w.top < second->top - 0.1 || w.bottom > second->bottom + 0.1) continue;
        if (w.left < paperX(90.0) || w.right > paperX(122.0)) continue;
        cut << w.text;
        left = std::min(left, w.left);
        right = std::max(right, w.right);
    }
    EXPECT_TRUE(cut.join(QLatin1Char(' ')).startsWith(QLatin1String("A very long")));
    EXPECT_TRUE(cut.join(QLatin1Char(' ')).endsWith(QChar(0x2026))) << cut.join(' ').toStdString();
    EXPECT_LE(right - left, 26.0 + 0.1);
}

}  // namespace
}  // namespace quivra::reports::test
