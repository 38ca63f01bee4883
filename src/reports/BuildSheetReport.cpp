#include "BuildSheetReport.h"

#include "DownrangePlotPainter.h"
#include "PageCanvas.h"
#include "ReportPage.h"
#include "SheetTexts.h"
#include "ShopBlock.h"

#include <QPainter>

#include <array>
#include <vector>

// Geometry in millimetres from the top-left corner of the detail band.

namespace quivra::reports {

namespace {

using buildsheet::SheetLine;

constexpr double kBandCentre = kBandWidthMm / 2.0;
constexpr double kTitleTop = 48.5;
constexpr double kInputsHeadTop = 55.5;
constexpr double kInputsTop = 60.0;
constexpr double kResultsHeadTop = 90.0;
constexpr double kResultsTop = 94.5;
constexpr double kLinePitch = 4.0;
constexpr double kMessagesTop = 131.5;
constexpr double kMessagesHeight = 8.5;
constexpr double kDownrangeHeadTop = 141.0;
constexpr double kTableHeadTop = 145.5;
constexpr double kTableTop = 149.8;
constexpr double kTablePitch = 3.6;
constexpr double kPinGapsTop = 190.0;
constexpr double kPlotTop = 195.5;
constexpr double kPlotBottom = 245.0;

struct Column {
    double captionRight;
    double valueLeft;
    double valueWidth;
};
constexpr Column kBowColumn{33.0, 35.0, 56.0};
constexpr Column kArrowColumn{124.0, 126.0, kBandWidthMm - 126.0};
constexpr double kArrowHeadLeft = 96.0;
constexpr Column kResultsColumn{45.0, 47.0, kBandWidthMm - 47.0};
// Centres of the downrange table's columns.
constexpr std::array<double, buildsheet::kDownrangeColumns> kCellCentres{16.0,  48.0,  80.0,
                                                                         115.0, 150.0, 176.0};
constexpr double kCellWidth = 31.0;

constexpr TextStyle kTitleStyle{14.0, true};
constexpr TextStyle kHeadingStyle{10.0, true};
constexpr TextStyle kCaptionStyle{9.0, false};
constexpr TextStyle kValueStyle{9.0, true};
constexpr TextStyle kMessageStyle{8.0, false};
constexpr TextStyle kTableHeadStyle{7.5, true};
constexpr TextStyle kCellStyle{8.0, false};
constexpr double kPlotPointSize = 6.5;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

void drawLines(PageCanvas& canvas, const std::vector<SheetLine>& lines, double top,
               const Column& column) {
    for (const SheetLine& line : lines) {
        canvas.text(column.captionRight, top, HAlign::Right, q(line.caption), kCaptionStyle);
        canvas.text(column.valueLeft, top, HAlign::Left, q(line.value), kValueStyle,
                    column.valueWidth);
        top += kLinePitch;
    }
}

void drawTable(PageCanvas& canvas, const calculators::BuildSheet& sheet) {
    const buildsheet::DownrangeCells& heads = buildsheet::downrangeHeads();
    for (std::size_t c = 0; c < heads.size(); ++c) {
        canvas.text(kCellCentres[c], kTableHeadTop, HAlign::Centre, q(heads[c]), kTableHeadStyle,
                    kCellWidth + 3.0);
    }
    canvas.hRule(kTableTop - 0.6, 0.0, kBandWidthMm);
    double top = kTableTop;
    for (const buildsheet::DownrangeCells& row :
         buildsheet::downrangeRows(sheet.downrange, sheet.arrowWeightGr)) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            canvas.text(kCellCentres[c], top, HAlign::Centre, q(row[c]), kCellStyle, kCellWidth);
        }
        top += kTablePitch;
    }
}

void drawPlot(QPainter& painter, PageCanvas& canvas, const calculators::DownrangeTable& table) {
    const QRectF box(kDetailBandOrigin.x(), kDetailBandOrigin.y() + kPlotTop, kBandWidthMm,
                     kPlotBottom - kPlotTop);
    TextStyle labelStyle{kPlotPointSize, false};
    const double lineHeight = canvas.textHeight(labelStyle);
    const PlotStyle style{lineHeight, canvas.textWidth(QStringLiteral("0"), labelStyle), 0.45, 0.2};
    const PlotLabel label = [&](QPointF anchor, Qt::Alignment align, const QString& text,
                                const QColor& colour) {
        labelStyle.colour = colour.rgb();
        // The plot works in paper millimetres, the canvas from the band's corner.
        anchor -= kDetailBandOrigin;
        double top = anchor.y();
        if (align & Qt::AlignVCenter) top -= lineHeight / 2.0;
        if (align & Qt::AlignBottom) top -= lineHeight;
        const HAlign h = (align & Qt::AlignRight)     ? HAlign::Right
                         : (align & Qt::AlignHCenter) ? HAlign::Centre
                                                      : HAlign::Left;
        canvas.text(anchor.x(), top, h, text, labelStyle);
    };
    paintDownrangePlot(painter, box, buildsheet::downrangePlot(table), style, label);
}

}  // namespace

QString buildSheetReportTitle() {
    return QStringLiteral("Arrow Build Sheet");
}

void drawBuildSheetReport(QPainter& painter, const BuildSheetReportData& data) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PageCanvas canvas(painter);
    canvas.setOrigin(kDetailBandOrigin);

    drawShopBlock(canvas, data.shop, data.printedAt);
    canvas.text(kBandCentre, kTitleTop, HAlign::Centre, buildSheetReportTitle(), kTitleStyle);

    canvas.text(0.0, kInputsHeadTop, HAlign::Left, QStringLiteral("Bow"), kHeadingStyle);
    canvas.text(kArrowHeadLeft, kInputsHeadTop, HAlign::Left, QStringLiteral("Arrow"),
                kHeadingStyle);
    drawLines(canvas, buildsheet::bowLines(data.input.bow), kInputsTop, kBowColumn);
    drawLines(canvas, buildsheet::arrowLines(data.input.arrow), kInputsTop, kArrowColumn);

    canvas.text(0.0, kResultsHeadTop, HAlign::Left, QStringLiteral("Results"), kHeadingStyle);
    std::vector<SheetLine> results;
    for (const buildsheet::ResultRow row : buildsheet::kResultRows) {
        results.push_back({std::string(buildsheet::resultCaption(row)),
                           buildsheet::resultText(row, data.sheet, data.input)});
    }
    drawLines(canvas, results, kResultsTop, kResultsColumn);
    QString messages;
    for (const std::string& m : buildsheet::sheetMessages(data.sheet)) {
        messages += (messages.isEmpty() ? QString() : QStringLiteral("  ")) + q(m);
    }
    canvas.wrappedText(QRectF(0.0, kMessagesTop, kBandWidthMm, kMessagesHeight), messages,
                       kMessageStyle);

    canvas.text(0.0, kDownrangeHeadTop, HAlign::Left,
                QStringLiteral("Downrange (sighted in at 20 yd)"), kHeadingStyle);
    if (data.sheet.ok()) {
        drawTable(canvas, data.sheet);
        QString gaps = QStringLiteral("Sight pin gaps:");
        for (const std::string& line : buildsheet::pinGapLines(data.sheet.downrange)) {
            gaps += QStringLiteral("  ") + q(line);
        }
        canvas.text(0.0, kPinGapsTop, HAlign::Left, gaps, kCellStyle, kBandWidthMm);
        drawPlot(painter, canvas, data.sheet.downrange);
    }
    painter.restore();
}

}  // namespace quivra::reports
