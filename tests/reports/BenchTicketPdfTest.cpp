// The bench work ticket as printed: texts and places read back from the PDF
// file (millimetres from the top-left corner of the detail band).

#include "ReportFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quivra::reports::test {
namespace {

double detailX(double x) {
    return kBandLeft + x;
}
double detailY(double y) {
    return kBandTop + y;
}
constexpr double kRight = 12.7 + 190.5;

// The words on the line of `caption` right of it, joined.
QString valueRightOf(const PdfWords& page, const QString& caption) {
    const auto found = page.find(caption);
    if (!found) return QStringLiteral("<no ") + caption + QLatin1Char('>');
    QStringList after;
    for (const PdfWord& w : page.lineAt(found->top)) {
        if (w.left > found->right + 0.1 && w.left < found->right + 100.0) after << w.text;
    }
    return after.join(QLatin1Char(' '));
}

TEST(BenchTicketPrint, HeadNamesShopTicketDateAndCustomer) {
    QUIVRA_READ_PAGE(page, PrintedPage::benchTicket(testTicket(), &readError));
    const auto title = page.find(QStringLiteral("Bench Work Ticket"));
    ASSERT_TRUE(title);
    EXPECT_NEAR(title->centre(), detailX(190.5 / 2), kTolerance);
    EXPECT_LT(title->bottom, kBandTop);

    const auto shop = page.find(QStringLiteral("Cedar Point Archery"));
    ASSERT_TRUE(shop);
    EXPECT_NEAR(shop->left, detailX(0), kTolerance);
    EXPECT_NEAR(shop->top, detailY(2.0), kTolerance);
    EXPECT_TRUE(page.find(QStringLiteral("Ashford, CT 06278")));
    EXPECT_TRUE(page.find(QStringLiteral("Phone: 860-555-0100 FAX: 860-555-0101")));

    const auto number = page.find(QStringLiteral("1042"));
    ASSERT_TRUE(number);
    EXPECT_NEAR(number->left, detailX(152.0), kTolerance);
    const auto numberCaption = page.find(QStringLiteral("Ticket No.:"));
    ASSERT_TRUE(numberCaption);
    EXPECT_NEAR(numberCaption->right, detailX(150.0), kTolerance);
    EXPECT_EQ(valueRightOf(page, QStringLiteral("Date:")), QStringLiteral("Dec 8, 2026"));

    const auto customer = page.find(QStringLiteral("Whitfield Ann"));
    ASSERT_TRUE(customer);
    EXPECT_NEAR(customer->left, detailX(28.0), kTolerance);
    EXPECT_NEAR(customer->top, detailY(27.0), kTolerance);
    EXPECT_TRUE(page.find(QStringLiteral("Mystic, CT 06355")));
    EXPECT_EQ(valueRightOf(page, QStringLiteral("Set-up saved:")), QStringLiteral("03/07/2026"));
    EXPECT_EQ(valueRightOf(page, QStringLiteral("Category:")), QStringLiteral("Hunting Shafts"));
}

TEST(BenchTicketPrint, ShaftLinesStandAsAFormWithTheCutLengthExplained) {
    QUIVRA_READ_PAGE(page, PrintedPage::benchTicket(testTicket(), &readError));
    const struct {
        const char* caption;
        const char* value;
    } lines[] = {{"Shaft size:", "340"},
                 {"Models:", "CH"},
                 {"Spine:", "0.340"},
                 {"Quantity:", "6 arrows"},
                 {"Cut length:", "28.75 in"}};
    double top = 53.0;
    for (const auto& line : lines) {
        const auto caption = page.find(QString::fromLatin1(line.caption));
        ASSERT_TRUE(caption) << line.caption;
        EXPECT_NEAR(caption->right, detailX(40.0), kTolerance) << line.caption;
        EXPECT_NEAR(caption->top, detailY(top), kTolerance) << line.caption;
        const auto value = page.find(QString::fromLatin1(line.value));
        ASSERT_TRUE(value) << line.value;
        EXPECT_NEAR(value->left, detailX(42.0), kTolerance) << line.value;
        EXPECT_NEAR(value->top, detailY(top), kTolerance) << line.value;
        top += 5.0;
    }
    const auto where = page.find(QStringLiteral("Measured from the"));
    ASSERT_TRUE(where);
    EXPECT_NEAR(where->left, detailX(42.0), kTolerance);
    EXPECT_NEAR(where->top, detailY(78.5), kTolerance);
}

TEST(BenchTicketPrint, EveryComponentWithItsWeightAndTheTotals) {
    QUIVRA_READ_PAGE(page, PrintedPage::benchTicket(testTicket(), &readError));
    const struct {
        const char* caption;
        const char* value;
    } parts[] = {{"Shaft (28.75 in at 9.30 gr/in):", "267.4 gr"},
                 {"Point:", "100.0 gr"},
                 {"Insert:", "15.0 gr"},
                 {"Nock:", "9.0 gr"},
                 {"Fletching:", "15.5 gr"}};
    double top = 53.0;
    for (const auto& part : parts) {
        const auto caption = page.find(QString::fromLatin1(part.caption));
        ASSERT_TRUE(caption) << part.caption << " in " << page.allText().toStdString();
        EXPECT_NEAR(caption->left, detailX(100.0), kTolerance) << part.caption;
        EXPECT_NEAR(caption->top, detailY(top), kTolerance) << part.caption;
        EXPECT_EQ(valueRightOf(page, QString::fromLatin1(part.caption)),
                  QString::fromLatin1(part.value));
        const auto line = page.lineAt(caption->top);
        ASSERT_FALSE(line.empty());
        EXPECT_NEAR(line.back().right, kRight, kTolerance) << part.value;  // right-aligned
        top += 5.0;
    }
    const auto total = page.find(QStringLiteral("Total arrow weight:"));
    ASSERT_TRUE(total);
    EXPECT_NEAR(total->top, detailY(80.0), kTolerance);
    EXPECT_EQ(valueRightOf(page, QStringLiteral("Total arrow weight:")),
              QStringLiteral("406.9 gr"));
    EXPECT_EQ(valueRightOf(page, QStringLiteral("FOC:")),
              QStringLiteral("11.5% (balance estimated)"));
    EXPECT_EQ(valueRightOf(page, QStringLiteral("Spine check:")),
              QStringLiteral("matches the chart"));
    EXPECT_EQ(valueRightOf(page, QStringLiteral("Estimated speed:")), QStringLiteral("303.9 fps"));
    const auto foc = page.find(QStringLiteral("FOC:"));
    ASSERT_TRUE(foc);
    EXPECT_NEAR(foc->right, detailX(40.0), kTolerance);
    EXPECT_NEAR(foc->top, detailY(96.0), kTolerance);
}

TEST(BenchTicketPrint, NotesBenchStepsAndFooter) {
    QUIVRA_READ_PAGE(page, PrintedPage::benchTicket(testTicket(), &readError));
    const auto notes = page.find(QStringLiteral("Blue wraps, left wing"));
    ASSERT_TRUE(notes);
    EXPECT_NEAR(notes->left, detailX(0.0), kTolerance);
    EXPECT_NEAR(notes->top, detailY(124.0), kTolerance);

    double top = 124.4;
    for (const char* step :
         {"Cut", "Square", "Inserts set", "Fletched", "Nocked", "Weighed", "Spine checked"}) {
        // ("Cut" also begins "Cut length:"; the step is the one in its row.)
        bool placed = false;
        for (const PdfWord& found : page.findAll(QString::fromLatin1(step))) {
            placed = placed || (std::abs(found.left - detailX(135.0)) < kTolerance &&
                                std::abs(found.top - detailY(top)) < kTolerance);
        }
        EXPECT_TRUE(placed) << step;
        top += 8.0;
    }
    const auto printed = page.find(QStringLiteral("Printed: December 8, 2026 2:35 PM"));
    ASSERT_TRUE(printed);
    EXPECT_NEAR(printed->top, 279.4 - 12.7 - 25.4 + 14.0, kTolerance);
    const auto again = page.find(QStringLiteral("Ticket 1042"));
    ASSERT_TRUE(again);
    EXPECT_NEAR(again->right, kRight, kTolerance);
}

TEST(BenchTicketPrint, MissingFiguresLeaveTheCaptionsToWriteIn) {
    TicketData t = testTicket();
    t.customer = {};
    t.setupDate.clear();
    t.build.focPercent.reset();
    t.build.speedFps.reset();
    t.build.spineCheck.clear();
    t.build.notes.clear();
    QUIVRA_READ_PAGE(page, PrintedPage::benchTicket(t, &readError));
    EXPECT_TRUE(page.find(QStringLiteral("Customer:")));
    EXPECT_EQ(valueRightOf(page, QStringLiteral("Set-up saved:")), QString());
    EXPECT_EQ(valueRightOf(page, QStringLiteral("FOC:")), QStringLiteral("not known"));
    EXPECT_EQ(valueRightOf(page, QStringLiteral("Spine check:")), QStringLiteral("not checked"));
    EXPECT_TRUE(page.find(QStringLiteral("Notes:")));
}

}  // namespace
}  // namespace quivra::reports::test
