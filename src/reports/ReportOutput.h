#pragma once
// Where a report page goes: a PDF file, an image or a printer.  Every output
// draws with the same layout functions (drawCategoryReport(),
// drawCustomerRecordReport()), so the PDF a shop e-mails and the printed page
// are the same page.

#include "BenchTicket.h"
#include "CategoryReportData.h"
#include "CustomerRecordView.h"
#include "ShopRecord.h"
#include "Status.h"

#include <QDateTime>
#include <QImage>
#include <QString>

#include <functional>

class QPainter;
class QPrinter;

namespace quivra::reports {

// Writes the category report as a one-page US Letter portrait PDF file.  The
// file is written beside `path` under a temporary name and renamed over it
// only when complete, so a failure never leaves a half-written or damaged
// file.  On failure the status message names the file and the reason.
quivra::storage::Status writeCategoryReportPdf(const QString& path, const CategoryReportData& data);

// The same for the customer record report.
quivra::storage::Status writeCustomerRecordPdf(const QString& path,
                                               const quivra::customers::CustomerRecordView& view,
                                               const quivra::customers::ShopRecord& shop,
                                               const QDateTime& printedAt);

// The bench work ticket as a PDF file, written the same way.
quivra::storage::Status writeBenchTicketPdf(const QString& path, const TicketData& ticket);

// Draws one report page on a painter mapped to millimetres.
using DrawPage = std::function<void(QPainter&)>;

// Paints one page with `draw` on a printer or the print preview's device
// (`printer` as it is set up), mapped to millimetres.  The status tells
// why the page could not be started or finished.
quivra::storage::Status paintPageOn(QPrinter& printer, const DrawPage& draw);

// The whole sheet of paper as a white image at `dpi` dots per inch (1 to 1200).
QImage renderToImage(const CategoryReportData& data, int dpi = 150);
QImage renderToImage(const quivra::customers::CustomerRecordView& view,
                     const quivra::customers::ShopRecord& shop, const QDateTime& printedAt,
                     int dpi = 150);
QImage renderToImage(const TicketData& ticket, int dpi = 150);

// Sets `printer` up for a report page: US Letter portrait, 12.7 mm margins,
// painting origin at the paper's corner, one copy, `title` as the job name.
void preparePrinter(QPrinter& printer, const QString& title);

}  // namespace quivra::reports
