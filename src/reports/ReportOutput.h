#pragma once
// Where a report page goes: a PDF file, an image or a printer.  Every output
// draws with the same layout functions (drawCategoryReport(),
// drawCustomerRecordReport()), so the PDF a shop e-mails and the printed page
// are the same page.

#include "BenchTicket.h"
#include "BuildSheetReport.h"
#include "CategoryReportData.h"
#include "CustomerRecordView.h"
#include "ShopRecord.h"
#include "Status.h"

#include <QDateTime>
#include <QImage>
#include <QString>

#include <functional>

class QPrinter;

namespace quivra::reports {

// Draws one report page: the painter is active and mapped to millimetres
// from the paper's corner (mapPainterToMillimetres()).
using PageDrawing = std::function<void(QPainter&)>;

// Writes the page `draw` draws as a one-page US Letter portrait PDF file
// titled `title`, as writeCategoryReportPdf() describes.
quivra::storage::Status writePagePdf(const QString& path, const QString& title,
                                     const PageDrawing& draw);

// Prints the page on `printer` (prepared here, with `title` as the job
// name).  The status tells why the job could not be started or did not
// complete.
quivra::storage::Status printPageOn(QPrinter& printer, const QString& title,
                                    const PageDrawing& draw);

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

// The build sheet's page.
quivra::storage::Status writeBuildSheetPdf(const QString& path, const BuildSheetReportData& data);

// The bench work ticket as a PDF file, written the same way.
quivra::storage::Status writeBenchTicketPdf(const QString& path, const TicketData& ticket);

// Paints the page `draw` draws on `printer` as it is set up (the print
// preview's device, or a printer preparePrinter() has set up).  The status
// tells why the page could not be started or finished.
quivra::storage::Status paintPageOn(QPrinter& printer, const PageDrawing& draw);

// The whole sheet of paper as a white image at `dpi` dots per inch (1 to 1200).
QImage renderToImage(const CategoryReportData& data, int dpi = 150);
QImage renderToImage(const quivra::customers::CustomerRecordView& view,
                     const quivra::customers::ShopRecord& shop, const QDateTime& printedAt,
                     int dpi = 150);
QImage renderToImage(const TicketData& ticket, int dpi = 150);
QImage renderToImage(const BuildSheetReportData& data, int dpi = 150);

// Sets `printer` up for a report page: US Letter portrait, 12.7 mm margins,
// painting origin at the paper's corner, one copy, `title` as the job name.
void preparePrinter(QPrinter& printer, const QString& title);

}  // namespace quivra::reports
