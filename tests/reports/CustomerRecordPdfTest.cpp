// The customer record report as printed: texts and places read back from
// the PDF file (millimetres from the top-left corner of each band).

#include "ReportFixtures.h"

#include <gtest/gtest.h>

namespace quivra::reports::test {
namespace {

constexpr double kFooterTop = 279.4 - 12.7 - 25.4;

double detailX(double x) {
    return kBandLeft + x;
}
double detailY(double y) {
    return kBandTop + y;
}
double footerY(double y) {
    return kFooterTop + y;
}

// What follows `caption` on its line before the next caption ends.
QString valueAfter(const PdfWords& page, const QString& caption) {
    const auto found = page.find(caption);
    if (!found) return QStringLiteral("<no caption>");
    QStringList after;
    for (const PdfWord& w : page.lineAt(found->top)) {
        if (w.left < found->right + 0.1) continue;
        if (w.text.endsWith(QLatin1Char(':'))) break;
        if (w.left > found->right + 30.0) break;
        after << w.text;
    }
    return after.join(QLatin1Char(' '));
}

TEST(CustomerRecordPrint, TitleCustomerBlockAndComments) {
    QUIVRA_READ_PAGE(
        page, PrintedPage::customerRecord(testCustomer(), testShop(), testTime(), &readError));
    const auto title = page.find(QStringLiteral("Customer Detail Report"));
    ASSERT_TRUE(title);
    EXPECT_NEAR(title->centre(), detailX(190.5 / 2), kTolerance);
    EXPECT_LT(title->bottom, kBandTop);

    const auto forCustomer = page.find(QStringLiteral("For Customer:"));
    ASSERT_TRUE(forCustomer);
    EXPECT_NEAR(forCustomer->left, detailX(29.9), kTolerance);
    EXPECT_NEAR(forCustomer->top, detailY(6.3), kTolerance);

    const struct {
        const char* text;
        double top;
    } lines[] = {{"Whitfield Ann", 6.3},
                 {"7 Orchard Road", 10.6},
                 {"Mystic, CT 06355", 14.8},
                 {"Canada", 19.1},
                 {"C-17", 24.6}};
    for (const auto& line : lines) {
        const auto word = page.find(QString::fromLatin1(line.text));
        ASSERT_TRUE(word) << line.text;
        EXPECT_NEAR(word->left, detailX(58.5), kTolerance) << line.text;
        EXPECT_NEAR(word->top, detailY(line.top), kTolerance) << line.text;
    }
    EXPECT_FALSE(page.find(QStringLiteral("Not Printed")));  // ADDR2 is not printed

    const auto comments = page.find(QStringLiteral("Comments:"));
    ASSERT_TRUE(comments);
    EXPECT_NEAR(comments->left, detailX(10.6), kTolerance);
    EXPECT_NEAR(comments->top, detailY(110.1), kTolerance);
    const auto text = page.find(QStringLiteral("Wants lighter points"));
    ASSERT_TRUE(text);
    EXPECT_NEAR(text->left, detailX(38.1), kTolerance);
    EXPECT_NEAR(text->top, detailY(110.1), kTolerance);
}

TEST(CustomerRecordPrint, SetupRowsPrintTheRetrievalWindowTexts) {
    QUIVRA_READ_PAGE(
        page, PrintedPage::customerRecord(testCustomer(), testShop(), testTime(), &readError));
    const struct {
        const char* caption;
        const char* value;
        double top;
        double captionRight;
    } pairs[] = {
        {"Bow Weight:", "62#", 52.9, 48.6},
        {"Bow Type:", "Recurve", 52.9, 100.8},
        {"Arrow Length:", "29\"", 59.3, 48.6},
        {"Wheel Type:", "Medium", 59.3, 100.8},
        {"Draw Length:", "", 65.6, 48.6},
        {"Release:", "Fingers", 65.6, 100.8},
        {"Bow Length:", "Under 6.5\"", 65.6, 160.3},
        {"Point Weight:", "125Gr", 72.0, 48.6},
        {"String Type:", "", 72.0, 100.8},
        {"Over Draw:", "2\"", 72.0, 160.3},
    };
    for (const auto& p : pairs) {
        const auto caption = page.find(QString::fromLatin1(p.caption));
        ASSERT_TRUE(caption) << p.caption;
        EXPECT_NEAR(caption->top, detailY(p.top), kTolerance) << p.caption;
        EXPECT_NEAR(caption->right, detailX(p.captionRight), kTolerance) << p.caption;
        EXPECT_EQ(valueAfter(page, QString::fromLatin1(p.caption)), QString::fromLatin1(p.value))
            << p.caption;
    }
    const auto value = page.find(QStringLiteral("125Gr"));
    ASSERT_TRUE(value);
    EXPECT_NEAR(value->left, detailX(50.5), kTolerance);
    const auto category = page.find(QStringLiteral("Target Shafts"));
    ASSERT_TRUE(category);
    EXPECT_NEAR(category->left, detailX(137.6), kTolerance);
    EXPECT_NEAR(category->top, detailY(52.9), kTolerance);
}

TEST(CustomerRecordPrint, FooterWithShopAndPrintedDate) {
    QUIVRA_READ_PAGE(
        page, PrintedPage::customerRecord(testCustomer(), testShop(), testTime(), &readError));
    const struct {
        const char* text;
        double top;
    } lines[] = {{"Cedar Point Archery", 1.3},
                 {"12 Mill Street", 5.6},
                 {"Ashford, CT 06278", 9.8},
                 {"Phone:860-555-0100 FAX:860-555-0101", 14.0}};
    for (const auto& line : lines) {
        const auto word = page.find(QString::fromLatin1(line.text));
        ASSERT_TRUE(word) << line.text << " in: " << page.allText().toStdString();
        EXPECT_NEAR(word->top, footerY(line.top), kTolerance) << line.text;
        EXPECT_NEAR(word->centre(), detailX(95.4), kTolerance) << line.text;
    }
    const auto printed = page.find(QStringLiteral("Printed: Dec 8, 2026"));
    ASSERT_TRUE(printed) << page.allText().toStdString();
    EXPECT_NEAR(printed->left, detailX(153.2), kTolerance);
    EXPECT_NEAR(printed->top, footerY(20.4), kTolerance);
    // The date stays inside the right margin.
    EXPECT_LT(printed->right, 215.9 - 12.7);
}

TEST(CustomerRecordPrint, MissingCountryAndCodeLeaveTheirLinesEmpty) {
    auto view = testCustomer();
    view.country.clear();
    view.ccode.clear();
    QUIVRA_READ_PAGE(page, PrintedPage::customerRecord(view, testShop(), testTime(), &readError));
    EXPECT_TRUE(page.lineAt(detailY(19.1)).empty());
    EXPECT_TRUE(page.lineAt(detailY(24.6)).empty());
    const auto city = page.find(QStringLiteral("Mystic, CT 06355"));
    ASSERT_TRUE(city);
    EXPECT_NEAR(city->top, detailY(14.8), kTolerance);
}

TEST(CustomerRecordPrint, LongCommentsWrapAndStopAboveTheFooter) {
    auto view = testCustomer();
    QString many;
    for (int i = 0; i < 400; ++i) many += QStringLiteral("word%1 ").arg(i);
    view.comments = many.toStdString();
    QUIVRA_READ_PAGE(page, PrintedPage::customerRecord(view, testShop(), testTime(), &readError));
    const auto first = page.find(QStringLiteral("word0"));
    ASSERT_TRUE(first);
    double lowest = 0;
    for (const PdfWord& w : page.words()) {
        if (!w.text.startsWith(QLatin1String("word"))) continue;
        EXPECT_GE(w.left, detailX(38.1) - kTolerance) << w.text.toStdString();
        EXPECT_LE(w.right, detailX(38.1 + 114.0) + kTolerance) << w.text.toStdString();
        lowest = std::max(lowest, w.bottom);
    }
    EXPECT_LT(lowest, kFooterTop);
    EXPECT_FALSE(page.find(QStringLiteral("word399")));  // cut off, not overprinted
}

}  // namespace
}  // namespace quivra::reports::test
