#include "ReportOutput.h"

#include "CategoryReport.h"
#include "CustomerRecordReport.h"
#include "ReportPage.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <functional>

namespace quivra::reports {

namespace {

using quivra::storage::Status;

constexpr int kPdfResolution = 1200;

std::string fileName(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

}  // namespace

// Opens `path` for replacement, paints one page with `draw` and commits.
Status writePagePdf(const QString& path, const QString& title, const PageDrawing& draw) {
    if (path.isEmpty()) return Status::invalidArgument("No file name was given for the PDF file.");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Status::ioError("Cannot write the PDF file " + fileName(path) + ": " +
                               file.errorString().toStdString());
    }
    {
        QPdfWriter writer(&file);
        // No margins on the writer itself: the layout places everything from
        // the paper's corner and keeps its own 12.7 mm margins.
        QPageLayout layout = letterPageLayout();
        layout.setMinimumMargins(QMarginsF());
        layout.setMargins(QMarginsF());
        writer.setPageLayout(layout);
        writer.setResolution(kPdfResolution);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Quivra"));
        QPainter painter;
        if (!painter.begin(&writer) || !mapPainterToMillimetres(painter)) {
            file.cancelWriting();
            return Status::ioError("Cannot start the PDF file " + fileName(path) + ".");
        }
        draw(painter);
        if (!painter.end()) {
            file.cancelWriting();
            return Status::ioError("Cannot finish the PDF file " + fileName(path) + ".");
        }
    }
    if (!file.commit()) {
        return Status::ioError("Cannot write the PDF file " + fileName(path) + ": " +
                               file.errorString().toStdString());
    }
    return Status::ok();
}

namespace {

QImage renderImage(int dpi, const PageDrawing& draw) {
    dpi = std::clamp(dpi, 1, 1200);
    const auto pixels = [dpi](double mm) { return static_cast<int>(std::lround(mm / 25.4 * dpi)); };
    QImage image(pixels(kPaperWidthMm), pixels(kPaperHeightMm), QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    mapPainterToMillimetres(painter);
    draw(painter);
    painter.end();
    return image;
}

}  // namespace

Status writeCategoryReportPdf(const QString& path, const CategoryReportData& data) {
    return writePagePdf(path, categoryReportTitle(data.page),
                        [&data](QPainter& painter) { drawCategoryReport(painter, data); });
}

Status writeCustomerRecordPdf(const QString& path,
                              const quivra::customers::CustomerRecordView& view,
                              const quivra::customers::ShopRecord& shop,
                              const QDateTime& printedAt) {
    return writePagePdf(path, customerRecordTitle(view), [&](QPainter& painter) {
        drawCustomerRecordReport(painter, view, shop, printedAt);
    });
}

Status writeBenchTicketPdf(const QString& path, const TicketData& ticket) {
    return writePagePdf(path, benchTicketTitle(ticket),
                        [&ticket](QPainter& painter) { drawBenchTicket(painter, ticket); });
}

QImage renderToImage(const TicketData& ticket, int dpi) {
    return renderImage(dpi, [&ticket](QPainter& painter) { drawBenchTicket(painter, ticket); });
}

QImage renderToImage(const CategoryReportData& data, int dpi) {
    return renderImage(dpi, [&data](QPainter& painter) { drawCategoryReport(painter, data); });
}

QImage renderToImage(const quivra::customers::CustomerRecordView& view,
                     const quivra::customers::ShopRecord& shop, const QDateTime& printedAt,
                     int dpi) {
    return renderImage(
        dpi, [&](QPainter& painter) { drawCustomerRecordReport(painter, view, shop, printedAt); });
}

void preparePrinter(QPrinter& printer, const QString& title) {
    printer.setPageLayout(letterPageLayout());
    // Paint from the paper's corner; the layout keeps the margins itself.
    printer.setFullPage(true);
    printer.setCopyCount(1);
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("Quivra"));
}

Status writeBuildSheetPdf(const QString& path, const BuildSheetReportData& data) {
    return writePagePdf(path, buildSheetReportTitle(),
                        [&data](QPainter& painter) { drawBuildSheetReport(painter, data); });
}

QImage renderToImage(const BuildSheetReportData& data, int dpi) {
    return renderImage(dpi, [&data](QPainter& painter) { drawBuildSheetReport(painter, data); });
}

Status printPageOn(QPrinter& printer, const QString& title, const PageDrawing& draw) {
    preparePrinter(printer, title);
    return paintPageOn(printer, draw);
}

Status paintPageOn(QPrinter& printer, const PageDrawing& draw) {
    const std::string printerName = printer.printerName().toStdString();
    QPainter painter;
    if (!painter.begin(&printer) || !mapPainterToMillimetres(painter)) {
        return Status::ioError("The report could not be sent to the printer \"" + printerName +
                               "\".");
    }
    draw(painter);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        return Status::ioError("The printer \"" + printerName +
                               "\" reported an error; the report may not have printed.");
    }
    return Status::ok();
}

}  // namespace quivra::reports
