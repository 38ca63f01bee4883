#pragma once
// The print commands of the category pages and of the retrieval window.
//
// Printing goes straight to the system's default printer without a preview;
// "Preview" shows the same page in Qt's print preview first, from which it
// prints on the printer chosen there.
// When the machine has no printer the user is told so and offered to save the
// page as a PDF file instead; every failure ends in a message box, never in
// silence.  No exception leaves these functions.

#include "BenchTicket.h"
#include "BuildSheetReport.h"
#include "CategoryReportData.h"
#include "CustomerRecordView.h"
#include "ReportTexts.h"
#include "ShopRecord.h"

class QWidget;

namespace quivra::reports {

// HPrintBtnClick, TPrintBtnClick, SpeedButton9Click, KstrPrintBtnClick: prints
// the category report of `data.page` on the default printer, no preview, no
// progress window.
void printCategoryReport(QWidget* parent, const CategoryReportData& data);

// "Save as PDF": asks for a file name and writes the category report there.
void saveCategoryReportPdf(QWidget* parent, const CategoryReportData& data);

// The build sheet's Print: its page on the default printer, no preview, no
// progress window (as the category reports).
void printBuildSheet(QWidget* parent, const BuildSheetReportData& data);

// The build sheet's "Save as PDF...".
void saveBuildSheetPdf(QWidget* parent, const BuildSheetReportData& data);

// The retrieval window's Print (SpeedButton1Click): prints the customer record
// on the default printer, showing "Printing progress" with "Cancel".
// `printedAt` defaults to now (printTime()).
void printCustomerRecord(QWidget* parent, const quivra::customers::CustomerRecordView& view,
                         const quivra::customers::ShopRecord& shop,
                         const QDateTime& printedAt = printTime());

// Asks for a file name and writes the customer record there as a PDF.
void saveCustomerRecordPdf(QWidget* parent, const quivra::customers::CustomerRecordView& view,
                           const quivra::customers::ShopRecord& shop,
                           const QDateTime& printedAt = printTime());

// The bench work ticket: printed on the default printer, or saved as a PDF
// file the user chooses.  The ticket must carry its number already.
void printBenchTicket(QWidget* parent, const TicketData& ticket);
void saveBenchTicketPdf(QWidget* parent, const TicketData& ticket);

// "Print Preview..." and the "Preview" buttons: the page in Qt's print
// preview dialog, drawn by the same function as the printed page.  Its
// Print button asks for a printer and prints there.
void previewCategoryReport(QWidget* parent, const CategoryReportData& data);
void previewCustomerRecord(QWidget* parent, const quivra::customers::CustomerRecordView& view,
                           const quivra::customers::ShopRecord& shop,
                           const QDateTime& printedAt = printTime());
void previewBenchTicket(QWidget* parent, const TicketData& ticket);
void previewBuildSheet(QWidget* parent, const BuildSheetReportData& data);

}  // namespace quivra::reports
