#include "ReportCommands.h"

#include "BenchTicket.h"
#include "CategoryReport.h"
#include "CustomerRecordReport.h"
#include "ErrorHandler.h"
#include "MessageBox.h"
#include "ReportCommandsTesting.h"
#include "ReportOutput.h"
#include "ReportPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>

#include <functional>
#include <memory>
#include <optional>

namespace quivra::reports {

namespace {

using quivra::shell::MessageBox;

struct Seam {
    std::optional<QString> nextSaveFileName;
    bool noPrinter = false;
    QString pdfPrinterPath;
};

Seam& seam() {
    static Seam s;
    return s;
}

QString fromStatus(const quivra::storage::Status& status) {
    return QString::fromStdString(status.message());
}

// A file name made of the report's title, without characters that file
// systems refuse.
QString suggestedFileName(const QString& title) {
    QString name = title;
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : name) {
        if (forbidden.contains(c) || c.unicode() < 0x20) c = QLatin1Char('_');
    }
    return name.trimmed() + QStringLiteral(".pdf");
}

// Asks where to save the PDF; empty when the user cancels.
QString askPdfPath(QWidget* parent, const QString& title) {
    if (seam().nextSaveFileName) {
        QString path = *seam().nextSaveFileName;
        seam().nextSaveFileName.reset();
        return path;
    }
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Save as PDF"),
                                                QDir(folder).filePath(suggestedFileName(title)),
                                                QStringLiteral("PDF files (*.pdf)"));
    if (!path.isEmpty() &&
        QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
        path += QStringLiteral(".pdf");
    }
    return path;
}

bool machineHasPrinter() {
    if (seam().noPrinter) return false;
    if (!seam().pdfPrinterPath.isEmpty()) return true;
    return !QPrinterInfo::defaultPrinter().isNull();
}

// The printer the report goes to: the system's default printer, or the
// test's PDF file.
std::unique_ptr<QPrinter> defaultPrinter() {
    if (!seam().pdfPrinterPath.isEmpty()) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(seam().pdfPrinterPath);
        return printer;
    }
    return std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
}

// Says plainly that nothing can be printed; true when the user wants the
// page saved as a PDF file instead.
bool offerPdfInsteadOfPrinting(QWidget* parent) {
    return MessageBox::question(
               parent, QStringLiteral("Print"),
               QStringLiteral("No printer is set up on this computer, so the report cannot be "
                              "printed.\n\nDo you want to save the report as a PDF file "
                              "instead?")) == MessageBox::Answer::Yes;
}

// Prints one page straight to the default printer; without a printer,
// offers to save it as a PDF file through `saveInstead`.
void printPage(QWidget* parent, const QString& title, const PageDrawing& draw,
               const std::function<void()>& saveInstead) {
    if (!machineHasPrinter()) {
        if (offerPdfInsteadOfPrinting(parent)) saveInstead();
        return;
    }
    const std::unique_ptr<QPrinter> printer = defaultPrinter();
    const quivra::storage::Status status = printPageOn(*printer, title, draw);
    if (!status.isOk()) {
        MessageBox::error(parent, fromStatus(status), QStringLiteral("Print"));
    }
}

void savePdf(QWidget* parent, const QString& title,
             const std::function<quivra::storage::Status(const QString&)>& write) {
    const QString path = askPdfPath(parent, title);
    if (path.isEmpty()) return;  // the user cancelled
    const quivra::storage::Status status = write(path);
    if (!status.isOk()) {
        MessageBox::error(parent, fromStatus(status), QStringLiteral("Save as PDF"));
    }
}

// Qt's print preview of one page.  The page is drawn again for every
// repaint of the preview and once more, on the printer the user chose in
// the print dialog, when the user prints from it: that printer keeps the
// copies and other settings chosen there.
void previewPage(QWidget* parent, const QString& title, const PageDrawing& draw) {
    const std::unique_ptr<QPrinter> printer = defaultPrinter();
    preparePrinter(*printer, title);
    QPrintPreviewDialog dialog(printer.get(), parent);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    dialog.setWindowTitle(QStringLiteral("Print Preview - ") + title);
    dialog.setAccessibleName(dialog.windowTitle());
    QString failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        const quivra::storage::Status s = paintPageOn(*target, draw);
        if (!s.isOk()) failure = fromStatus(s);
    });
    dialog.exec();
    if (!failure.isEmpty()) MessageBox::error(parent, failure, QStringLiteral("Print Preview"));
}

}  // namespace

void printCategoryReport(QWidget* parent, const CategoryReportData& data) {
    quivra::shell::guarded(parent, [&] {
        printPage(
            parent, categoryReportTitle(data.page),
            [&data](QPainter& painter) { drawCategoryReport(painter, data); },
            [&] { saveCategoryReportPdf(parent, data); });
    });
}

void saveCategoryReportPdf(QWidget* parent, const CategoryReportData& data) {
    quivra::shell::guarded(parent, [&] {
        savePdf(parent, categoryReportTitle(data.page),
                [&data](const QString& path) { return writeCategoryReportPdf(path, data); });
    });
}

void printBuildSheet(QWidget* parent, const BuildSheetReportData& data) {
    quivra::shell::guarded(parent, [&] {
        printPage(
            parent, buildSheetReportTitle(),
            [&data](QPainter& painter) { drawBuildSheetReport(painter, data); },
            [&] { saveBuildSheetPdf(parent, data); });
    });
}

void saveBuildSheetPdf(QWidget* parent, const BuildSheetReportData& data) {
    quivra::shell::guarded(parent, [&] {
        savePdf(parent, buildSheetReportTitle(),
                [&data](const QString& path) { return writeBuildSheetPdf(path, data); });
    });
}

void printCustomerRecord(QWidget* parent, const quivra::customers::CustomerRecordView& view,
                         const quivra::customers::ShopRecord& shop, const QDateTime& printedAt) {
    quivra::shell::guarded(parent, [&] {
        if (!machineHasPrinter()) {
            if (offerPdfInsteadOfPrinting(parent)) {
                saveCustomerRecordPdf(parent, view, shop, printedAt);
            }
            return;
        }
        const std::unique_ptr<QPrinter> printer = defaultPrinter();
        preparePrinter(*printer, customerRecordTitle(view));

        QProgressDialog progress(QStringLiteral("Printing page 1 of 1"), QString(), 0, 1, parent);
        progress.setWindowTitle(QStringLiteral("Printing progress"));
        progress.setAccessibleName(QStringLiteral("Printing progress"));
        auto* cancel = new QPushButton(QStringLiteral("Cancel"));  // owned by the dialog
        cancel->setAccessibleName(QStringLiteral("Cancel"));
        progress.setCancelButton(cancel);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        progress.setValue(0);
        progress.show();
        QCoreApplication::processEvents();
        if (progress.wasCanceled()) return;

        const QString failed = QStringLiteral(
                                   "The customer record could not be sent to the "
                                   "printer \"%1\".")
                                   .arg(printer->printerName());
        QPainter painter;
        if (!painter.begin(printer.get()) || !mapPainterToMillimetres(painter)) {
            progress.cancel();
            MessageBox::error(parent, failed, QStringLiteral("Print"));
            return;
        }
        drawCustomerRecordReport(painter, view, shop, printedAt);
        QCoreApplication::processEvents();
        if (progress.wasCanceled()) {
            // Cancel stops the job: nothing reaches the printer.
            printer->abort();
            painter.end();
            return;
        }
        const bool ended = painter.end();
        progress.setValue(1);
        if (!ended || printer->printerState() == QPrinter::Error) {
            MessageBox::error(parent, failed, QStringLiteral("Print"));
        }
    });
}

void saveCustomerRecordPdf(QWidget* parent, const quivra::customers::CustomerRecordView& view,
                           const quivra::customers::ShopRecord& shop, const QDateTime& printedAt) {
    quivra::shell::guarded(parent, [&] {
        savePdf(parent, customerRecordTitle(view), [&](const QString& path) {
            return writeCustomerRecordPdf(path, view, shop, printedAt);
        });
    });
}

void printBenchTicket(QWidget* parent, const TicketData& ticket) {
    quivra::shell::guarded(parent, [&] {
        printPage(
            parent, benchTicketTitle(ticket),
            [&ticket](QPainter& painter) { drawBenchTicket(painter, ticket); },
            [&] { saveBenchTicketPdf(parent, ticket); });
    });
}

void saveBenchTicketPdf(QWidget* parent, const TicketData& ticket) {
    quivra::shell::guarded(parent, [&] {
        savePdf(parent, benchTicketTitle(ticket),
                [&ticket](const QString& path) { return writeBenchTicketPdf(path, ticket); });
    });
}

void previewCategoryReport(QWidget* parent, const CategoryReportData& data) {
    quivra::shell::guarded(parent, [&] {
        previewPage(parent, categoryReportTitle(data.page),
                    [&data](QPainter& painter) { drawCategoryReport(painter, data); });
    });
}

void previewCustomerRecord(QWidget* parent, const quivra::customers::CustomerRecordView& view,
                           const quivra::customers::ShopRecord& shop, const QDateTime& printedAt) {
    quivra::shell::guarded(parent, [&] {
        previewPage(parent, customerRecordTitle(view), [&](QPainter& painter) {
            drawCustomerRecordReport(painter, view, shop, printedAt);
        });
    });
}

void previewBenchTicket(QWidget* parent, const TicketData& ticket) {
    quivra::shell::guarded(parent, [&] {
        previewPage(parent, benchTicketTitle(ticket),
                    [&ticket](QPainter& painter) { drawBenchTicket(painter, ticket); });
    });
}

void previewBuildSheet(QWidget* parent, const BuildSheetReportData& data) {
    quivra::shell::guarded(parent, [&] {
        previewPage(parent, buildSheetReportTitle(),
                    [&data](QPainter& painter) { drawBuildSheetReport(painter, data); });
    });
}

namespace testing {

void setNextSaveFileName(const QString& path) {
    seam().nextSaveFileName = path;
}
void simulateNoPrinter(bool on) {
    seam().noPrinter = on;
}
void redirectPrinterToPdf(const QString& path) {
    seam().pdfPrinterPath = path;
}
void reset() {
    seam() = Seam{};
}

}  // namespace testing

}  // namespace quivra::reports
