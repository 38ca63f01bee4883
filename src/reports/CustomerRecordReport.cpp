#include "CustomerRecordReport.h"

#include "PageCanvas.h"
#include "ReportPage.h"
#include "ReportTexts.h"

#include <QPainter>

#include <array>

// Geometry in millimetres from the top-left corner of each band: the title
// band (from the top margin), the detail band (under the title band) and the
// page-footer band (ending at the bottom margin).

namespace quivra::reports {

namespace {

using quivra::customers::CustomerRecordView;
using quivra::customers::ShopRecord;

constexpr double kFooterBandHeight = 25.4;
constexpr QPointF kTitleBandOrigin{kMarginMm, kMarginMm};
constexpr QPointF kFooterBandOrigin{kMarginMm, kPaperHeightMm - kMarginMm - kFooterBandHeight};

constexpr double kTitleTop = 1.0;
constexpr double kCustomerCaptionLeft = 29.9;
constexpr double kCustomerLinesLeft = 58.5;
constexpr std::array<double, 5> kCustomerLineTops{6.3, 10.6, 14.8, 19.1, 24.6};
constexpr std::array<double, 4> kSetupRowTops{52.9, 59.3, 65.6, 72.0};
constexpr std::array<double, 3> kCaptionRights{48.6, 100.8, 160.3};
constexpr std::array<double, 3> kValueLefts{50.5, 102.7, 162.2};
constexpr double kCategoryLeft = 137.6;
constexpr double kCommentsTop = 110.1;
constexpr double kCommentsCaptionLeft = 10.6;
constexpr double kCommentsTextLeft = 38.1;
constexpr double kCommentsTextWidth = 114.0;
constexpr double kFooterCentre = 95.4;
constexpr std::array<double, 4> kFooterLineTops{1.3, 5.6, 9.8, 14.0};
constexpr double kPrintedTop = 20.4;
constexpr double kPrintedLeft = 153.2;

constexpr TextStyle kTitleStyle{14.0, true};
constexpr TextStyle kCaptionStyle{10.0, false};
constexpr TextStyle kStrongCaptionStyle{10.0, true};
constexpr TextStyle kValueStyle{10.0, true};
constexpr TextStyle kTextStyle{10.0, false};
constexpr TextStyle kFooterStyle{9.0, false};

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

struct Pair {
    const char* caption;  // nullptr: a value without caption
    QString value;
};

void drawCustomerBlock(PageCanvas& canvas, const CustomerRecordView& view) {
    canvas.text(kCustomerCaptionLeft, kCustomerLineTops[0], HAlign::Left,
                QStringLiteral("For Customer:"), kStrongCaptionStyle);
    const std::array<QString, 5> lines{
        q(view.name), q(view.addr1),
        cityLine(view.city, view.state, view.zip, QStringLiteral("  ")), q(view.country),
        q(view.ccode)};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        canvas.text(kCustomerLinesLeft, kCustomerLineTops[i], HAlign::Left, lines[i], kTextStyle);
    }
}

void drawSetupRows(PageCanvas& canvas, const CustomerRecordView& view) {
    // Draw length and string type are not kept with a set-up: their captions
    // stand as prompts for the shop to write in.  The third pair's "Bow
    // Length:" shows the brace height text, as the retrieval window does.
    const std::array<std::array<Pair, 3>, 4> rows{{
        {{{"Bow Weight:", q(view.bowWeight)},
          {"Bow Type:", q(view.bowType)},
          {nullptr, q(view.category)}}},
        {{{"Arrow Length:", q(view.arrowLength)}, {"Wheel Type:", q(view.wheelType)}, {}}},
        {{{"Draw Length:", {}},
          {"Release:", q(view.release)},
          {"Bow Length:", q(view.braceHeight)}}},
        {{{"Point Weight:", q(view.pointWeight)},
          {"String Type:", {}},
          {"Over Draw:", q(view.overDraw)}}},
    }};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const Pair& pair = rows[r][c];
            if (pair.caption == nullptr) {
                canvas.text(kCategoryLeft, kSetupRowTops[r], HAlign::Left, pair.value, kValueStyle);
                continue;
            }
            canvas.text(kCaptionRights[c], kSetupRowTops[r], HAlign::Right,
                        QString::fromLatin1(pair.caption), kCaptionStyle);
            canvas.text(kValueLefts[c], kSetupRowTops[r], HAlign::Left, pair.value, kValueStyle);
        }
    }
}

void drawComments(PageCanvas& canvas, const CustomerRecordView& view) {
    canvas.text(kCommentsCaptionLeft, kCommentsTop, HAlign::Left, QStringLiteral("Comments:"),
                kStrongCaptionStyle);
    // The comments may run over several lines; they stop short of the footer.
    const double bottom = kFooterBandOrigin.y() - kDetailBandOrigin.y() - 2.0;
    canvas.wrappedText(
        QRectF(kCommentsTextLeft, kCommentsTop, kCommentsTextWidth, bottom - kCommentsTop),
        q(view.comments), kTextStyle);
}

void drawFooter(PageCanvas& canvas, const ShopRecord& shop, const QDateTime& printedAt) {
    const std::array<QString, 4> lines{
        q(shop.name), q(shop.addr1),
        cityLine(shop.city, shop.state, shop.zip, QStringLiteral("  ")), shopFooterPhoneLine(shop)};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        canvas.text(kFooterCentre, kFooterLineTops[i], HAlign::Centre, lines[i], kFooterStyle,
                    kBandWidthMm);
    }
    canvas.text(kPrintedLeft, kPrintedTop, HAlign::Left,
                QStringLiteral("Printed: ") + printedDateText(printedAt), kFooterStyle);
}

}  // namespace

QString customerRecordTitle(const CustomerRecordView& view) {
    const QString name = q(view.name).trimmed();
    return name.isEmpty() ? QStringLiteral("Customer Detail Report")
                          : QStringLiteral("Customer Detail Report - ") + name;
}

void drawCustomerRecordReport(QPainter& painter, const CustomerRecordView& view,
                              const ShopRecord& shop, const QDateTime& printedAt) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PageCanvas canvas(painter);

    canvas.setOrigin(kTitleBandOrigin);
    canvas.text(kBandWidthMm / 2.0, kTitleTop, HAlign::Centre,
                QStringLiteral("Customer Detail Report"), kTitleStyle);

    canvas.setOrigin(kDetailBandOrigin);
    drawCustomerBlock(canvas, view);
    drawSetupRows(canvas, view);
    drawComments(canvas, view);

    canvas.setOrigin(kFooterBandOrigin);
    drawFooter(canvas, shop, printedAt);
    painter.restore();
}

}  // namespace quivra::reports
