// The arrow build sheet as printed: written to a PDF file and read back with
// its word boxes.  The figures are those of the 70 lb compound worked out in
// docs/ballistics.md.

#include "ReportFixtures.h"

#include <gtest/gtest.h>

namespace quivra::reports::test {
namespace {

constexpr double kPaperWidth = 215.9;
constexpr double kPaperHeight = 279.4;

TEST(BuildSheetPrint, ShopBlockTitleAndSectionsStandInOrderOnOnePage) {
    QUIVRA_READ_PAGE(page, PrintedPage::buildSheet(buildSheetData(), &readError));
    const auto shop = page.find(QStringLiteral("Cedar Point Archery"));
    const auto title = page.find(QStringLiteral("Arrow Build Sheet"));
    ASSERT_TRUE(shop);
    ASSERT_TRUE(title);
    EXPECT_LT(shop->bottom, title->top);
    EXPECT_NEAR(title->centre(), kBandLeft + 190.5 / 2, kTolerance);
    EXPECT_TRUE(page.find(QStringLiteral("December 8, 2026")) ||
                page.allText().contains(QStringLiteral("2026")))
        << page.allText().toStdString();

    double above = title->bottom;
    for (const char* heading : {"Bow", "Results", "Downrange (sighted in at 20 yd)"}) {
        const auto h = page.find(QString::fromLatin1(heading));
        ASSERT_TRUE(h) << heading;
        EXPECT_GT(h->top, above) << heading;
        above = h->top;
    }
    for (const PdfWord& w : page.words()) {
        EXPECT_GE(w.left, 0.0) << w.text.toStdString();
        EXPECT_LE(w.right, kPaperWidth) << w.text.toStdString();
        EXPECT_LE(w.bottom, kPaperHeight) << w.text.toStdString();
    }
}

TEST(BuildSheetPrint, ResultsShowBothSpeedsClassesAndMetricFigures) {
    QUIVRA_READ_PAGE(page, PrintedPage::buildSheet(buildSheetData(), &readError));
    const QString all = page.allText();
    for (const char* text :
         {"407.5 gr", "Speed, rating rule:", "300.8 fps", "Speed, energy model:", "303.9 fps",
          "Largest Game", "Dangerous Game", "matches the chart", "11.5 %", "m/s", "J),"}) {
        EXPECT_TRUE(all.contains(QString::fromLatin1(text))) << text << "\n" << all.toStdString();
    }
    // Both speeds on the lines of their captions.
    const auto rule = page.find(QStringLiteral("Speed, rating rule:"));
    const auto fps = page.find(QStringLiteral("300.8 fps"));
    ASSERT_TRUE(rule);
    ASSERT_TRUE(fps);
    EXPECT_NEAR(rule->top, fps->top, kTolerance);
    EXPECT_GT(fps->left, rule->right);
}

TEST(BuildSheetPrint, DownrangeTableHasOneRowPerTenYardsAndTheZeroAtTwenty) {
    QUIVRA_READ_PAGE(page, PrintedPage::buildSheet(buildSheetData(), &readError));
    double lastTop = 0.0;
    for (int yd = 0; yd <= 100; yd += 10) {
        const QString cell =
            QStringLiteral("%1 (%2)").arg(yd).arg(QString::number(yd * 0.9144, 'f', 1));
        const std::vector<PdfWord> found = page.findAll(cell);
        ASSERT_FALSE(found.empty()) << cell.toStdString() << "\n" << page.allText().toStdString();
        // The distance column is the leftmost of its line.
        const PdfWord& row = found.front();
        EXPECT_GT(row.top, lastTop) << cell.toStdString();
        lastTop = row.top;
        if (yd == 20) {
            // The sight is set at 20 yards: no drop there.
            EXPECT_TRUE(page.find(QStringLiteral("0.0 (0.0)")).has_value());
            const std::vector<PdfWord> line = page.lineAt(row.top);
            ASSERT_EQ(line.size(), 11U) << "five pairs and the time";
        }
    }
    EXPECT_TRUE(page.find(QStringLiteral("Sight pin gaps:")));
    EXPECT_TRUE(page.find(QStringLiteral("50 to 60 yd:")));
}

TEST(BuildSheetPrint, PlotLabelsStandBelowTheTable) {
    QUIVRA_READ_PAGE(page, PrintedPage::buildSheet(buildSheetData(), &readError));
    const auto last = page.find(QStringLiteral("100 (91.4)"));
    const auto gaps = page.find(QStringLiteral("Sight pin gaps:"));
    ASSERT_TRUE(last);
    ASSERT_TRUE(gaps);
    int below = 0;
    for (const PdfWord& w : page.words()) {
        if (w.top > gaps->bottom) ++below;
    }
    EXPECT_GT(below, 10) << "the plot's axis labels and legend";
}

}  // namespace
}  // namespace quivra::reports::test
