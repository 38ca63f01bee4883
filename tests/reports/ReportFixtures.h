#pragma once
// Report data used by the layout tests: a shop, a fixed print time and grids
// whose every cell carries a text naming its slot and column ("S3" is the
// size of slot 3), so a test can tell which slot printed where.

#include "BenchTicket.h"
#include "BuildSheetReport.h"
#include "CategoryReportData.h"
#include "CustomerRecordView.h"
#include "PdfWords.h"

#include <QTemporaryDir>

#include <optional>

namespace quivra::reports::test {

quivra::customers::ShopRecord testShop();
QDateTime testTime();  // December 8, 2026, 2:35 PM
// `count` slots; slot n reads "Sn", "Pn", "Mn", "Wn".
std::vector<quivra::selection::RecommendationSlot> numberedGrid(int count);
CategoryReportData categoryData(quivra::core::Page page, int filledSlots);
quivra::customers::CustomerRecordView testCustomer();
// Ticket 1042 for Ann Whitfield: 340CH cut to 28.75 in, every figure set.
TicketData testTicket();
// A 70 lb compound rated 340 fps IBO, 28 in draw, 7 in brace, shooting a
// 340 spine shaft of 29 in with a 100 gr point, 15 gr insert, 9 gr nock and
// 15 gr of vanes; computed, with the test shop and time.
BuildSheetReportData buildSheetData();

// Band origins on the paper, in millimetres.
inline constexpr double kBandLeft = 12.7;
inline constexpr double kBandTop = 12.7 + 8.5;
// How far a printed item may stand from its place.
inline constexpr double kTolerance = 0.5;

// Writes the report to a PDF file in a fresh folder and reads its words back.
class PrintedPage {
public:
    static std::optional<PdfWords> category(const CategoryReportData& data, QString* error);
    static std::optional<PdfWords> customerRecord(const quivra::customers::CustomerRecordView& view,
                                                  const quivra::customers::ShopRecord& shop,
                                                  const QDateTime& at, QString* error);
    static std::optional<PdfWords> benchTicket(const TicketData& ticket, QString* error);
    static std::optional<PdfWords> buildSheet(const BuildSheetReportData& data, QString* error);
};

}  // namespace quivra::reports::test

// Skips the test when pdftotext is missing, then runs `call` (which may use
// the QString `readError` declared here) and fails when it gives no page.
#define QUIVRA_READ_PAGE(words, call)                                          \
    if (!quivra::reports::test::PdfWords::available())                         \
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";          \
    QString readError;                                                         \
    const std::optional<quivra::reports::test::PdfWords> words##Read = (call); \
    ASSERT_TRUE(words##Read.has_value()) << readError.toStdString();           \
    const quivra::reports::test::PdfWords& words = *words##Read
