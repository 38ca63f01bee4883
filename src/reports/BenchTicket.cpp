#include "BenchTicket.h"

#include "PageCanvas.h"
#include "ReportPage.h"
#include "ReportTexts.h"
#include "TicketTexts.h"

#include <QPainter>

#include <array>
#include <vector>

// Geometry in millimetres from the top-left corner of the detail band (the
// title from the top margin, the footer from the footer band's top).  The
// page is a form: captions print also where a value is missing, so the
// bench can write it in.

namespace quivra::reports {

namespace {

using quivra::customers::TicketLine;

constexpr double kFooterBandHeight = 25.4;
constexpr QPointF kTitleBandOrigin{kMarginMm, kMarginMm};
constexpr QPointF kFooterBandOrigin{kMarginMm, kPaperHeightMm - kMarginMm - kFooterBandHeight};

// Head: shop at the left, ticket number and date at the right.
constexpr double kHeadRight = kBandWidthMm;
constexpr double kNumberCaptionRight = 150.0;
constexpr double kNumberValueLeft = 152.0;
constexpr std::array<double, 4> kShopLineTops{2.0, 7.0, 11.5, 16.0};
constexpr double kNumberTop = 2.0;
constexpr double kDateTop = 9.5;
constexpr double kHeadRuleY = 23.0;
// Customer.
constexpr double kCustomerCaptionLeft = 0.0;
constexpr double kCustomerLinesLeft = 28.0;
constexpr std::array<double, 3> kCustomerTops{27.0, 31.5, 36.0};
constexpr double kCustomerRuleY = 43.0;
// Shaft (left half) and components (right half).
constexpr double kSectionTop = 47.0;
constexpr double kLineTop0 = 53.0;
constexpr double kLineStep = 5.0;
constexpr double kShaftCaptionRight = 40.0;
constexpr double kShaftValueLeft = 42.0;
constexpr double kShaftWidth = 92.0;
constexpr double kWhereTop = 78.5;
constexpr double kPartsLeft = 100.0;
constexpr double kTotalRuleY = 78.5;
constexpr double kTotalTop = 80.0;
constexpr double kPartsRuleY = 92.0;
// Results.
constexpr double kResultTop0 = 96.0;
constexpr double kResultsRuleY = 114.0;
// Notes (left) and bench steps (right).
constexpr double kNotesTop = 118.0;
constexpr double kNotesTextTop = 124.0;
constexpr double kNotesWidth = 118.0;
constexpr double kNotesBottom = 182.0;
constexpr double kStepsLeft = 128.0;
constexpr double kStepBox = 4.5;
constexpr double kStepLabelLeft = 135.0;
constexpr double kStepTop0 = 124.0;
constexpr double kStepStep = 8.0;
constexpr double kInitialsLeft = 168.0;
constexpr double kStepsRuleY = 186.0;
// Footer.
constexpr double kFooterCommentTop = 6.0;
constexpr double kFooterTop = 14.0;

constexpr TextStyle kTitleStyle{16.0, true};
constexpr TextStyle kShopNameStyle{11.0, true};
constexpr TextStyle kTextStyle{10.0, false};
constexpr TextStyle kCaptionStyle{10.0, false};
constexpr TextStyle kValueStyle{10.0, true};
constexpr TextStyle kHeadingStyle{11.0, true};
constexpr TextStyle kNumberStyle{14.0, true};
constexpr TextStyle kSmallStyle{8.0, false};
constexpr TextStyle kFooterStyle{9.0, false};

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

void drawHead(PageCanvas& canvas, const TicketData& t) {
    const std::array<QString, 4> shop{
        q(t.shop.name), q(t.shop.addr1),
        cityLine(t.shop.city, t.shop.state, t.shop.zip, QStringLiteral("  ")),
        shopPhoneLine(t.shop)};
    for (std::size_t i = 0; i < shop.size(); ++i) {
        canvas.text(0.0, kShopLineTops[i], HAlign::Left, shop[i],
                    i == 0 ? kShopNameStyle : kTextStyle, kNumberCaptionRight - 30.0);
    }
    canvas.text(kNumberCaptionRight, kNumberTop + 1.0, HAlign::Right, QStringLiteral("Ticket No.:"),
                kCaptionStyle);
    canvas.text(kNumberValueLeft, kNumberTop, HAlign::Left,
                q(quivra::customers::ticketNumberText(t.number)), kNumberStyle,
                kHeadRight - kNumberValueLeft);
    canvas.text(kNumberCaptionRight, kDateTop, HAlign::Right, QStringLiteral("Date:"),
                kCaptionStyle);
    canvas.text(kNumberValueLeft, kDateTop, HAlign::Left, printedDateText(t.printedAt),
                kValueStyle);
    canvas.hRule(kHeadRuleY, 0.0, kBandWidthMm);
}

void drawCustomer(PageCanvas& canvas, const TicketData& t) {
    const auto& c = t.customer;
    canvas.text(kCustomerCaptionLeft, kCustomerTops[0], HAlign::Left, QStringLiteral("Customer:"),
                kHeadingStyle);
    const std::array<QString, 3> lines{q(c.name), q(c.addr1),
                                       cityLine(c.city, c.state, c.zip, QStringLiteral("  "))};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        canvas.text(kCustomerLinesLeft, kCustomerTops[i], HAlign::Left, lines[i],
                    i == 0 ? kValueStyle : kTextStyle,
                    kNumberCaptionRight - 30.0 - kCustomerLinesLeft);
    }
    canvas.text(kNumberCaptionRight, kCustomerTops[0], HAlign::Right,
                QStringLiteral("Set-up saved:"), kCaptionStyle);
    canvas.text(kNumberValueLeft, kCustomerTops[0], HAlign::Left, q(t.setupDate), kValueStyle,
                kHeadRight - kNumberValueLeft);
    canvas.text(kNumberCaptionRight, kCustomerTops[1], HAlign::Right, QStringLiteral("Category:"),
                kCaptionStyle);
    canvas.text(kNumberValueLeft, kCustomerTops[1], HAlign::Left, q(t.category), kValueStyle,
                kHeadRight - kNumberValueLeft);
    canvas.hRule(kCustomerRuleY, 0.0, kBandWidthMm);
}

// Caption right-aligned before the value, as on a form.
void drawFormLines(PageCanvas& canvas, const std::vector<TicketLine>& lines, double top) {
    for (const TicketLine& line : lines) {
        canvas.text(kShaftCaptionRight, top, HAlign::Right, q(line.caption), kCaptionStyle);
        canvas.text(kShaftValueLeft, top, HAlign::Left, q(line.value), kValueStyle,
                    kShaftWidth - kShaftValueLeft);
        top += kLineStep;
    }
}

void drawArrow(PageCanvas& canvas, const TicketData& t) {
    canvas.text(0.0, kSectionTop, HAlign::Left, QStringLiteral("Shaft"), kHeadingStyle);
    drawFormLines(canvas, quivra::customers::ticketShaftLines(t.build), kLineTop0);
    canvas.wrappedText(QRectF(kShaftValueLeft, kWhereTop, kShaftWidth - kShaftValueLeft, 12.0),
                       QString::fromLatin1(quivra::customers::kCutLengthWhere), kSmallStyle);

    canvas.text(kPartsLeft, kSectionTop, HAlign::Left, QStringLiteral("Components, one arrow"),
                kHeadingStyle);
    double top = kLineTop0;
    for (const TicketLine& line : quivra::customers::ticketComponentLines(t.build)) {
        canvas.text(kPartsLeft, top, HAlign::Left, q(line.caption), kCaptionStyle,
                    kBandWidthMm - kPartsLeft - 22.0);
        canvas.text(kBandWidthMm, top, HAlign::Right, q(line.value), kValueStyle);
        top += kLineStep;
    }
    canvas.hRule(kTotalRuleY, kBandWidthMm - 30.0, kBandWidthMm);
    const std::vector<TicketLine> results = quivra::customers::ticketResultLines(t.build);
    canvas.text(kPartsLeft, kTotalTop, HAlign::Left, q(results[0].caption), kValueStyle);
    canvas.text(kBandWidthMm, kTotalTop, HAlign::Right, q(results[0].value), kValueStyle);
    canvas.hRule(kPartsRuleY, 0.0, kBandWidthMm);

    drawFormLines(canvas, std::vector<TicketLine>(results.begin() + 1, results.end()), kResultTop0);
    canvas.hRule(kResultsRuleY, 0.0, kBandWidthMm);
}

void drawNotesAndSteps(PageCanvas& canvas, const TicketData& t) {
    canvas.text(0.0, kNotesTop, HAlign::Left, QStringLiteral("Notes:"), kHeadingStyle);
    canvas.wrappedText(QRectF(0.0, kNotesTextTop, kNotesWidth, kNotesBottom - kNotesTextTop),
                       q(t.build.notes), kTextStyle);

    canvas.text(kStepsLeft, kNotesTop, HAlign::Left, QStringLiteral("Bench steps"), kHeadingStyle);
    canvas.text(kBandWidthMm, kNotesTop + 1.0, HAlign::Right, QStringLiteral("Initials"),
                kSmallStyle);
    double top = kStepTop0;
    for (const char* step : quivra::customers::kBenchSteps) {
        canvas.rectangle(QRectF(kStepsLeft, top, kStepBox, kStepBox));
        canvas.text(kStepLabelLeft, top + 0.4, HAlign::Left, QString::fromLatin1(step), kTextStyle);
        canvas.hRule(top + kStepBox, kInitialsLeft, kBandWidthMm);
        top += kStepStep;
    }
    canvas.hRule(kStepsRuleY, 0.0, kBandWidthMm);
}

void drawFooter(PageCanvas& canvas, const TicketData& t) {
    canvas.text(kBandWidthMm / 2.0, kFooterCommentTop, HAlign::Centre, q(t.shop.comments),
                kFooterStyle, kBandWidthMm);
    canvas.text(0.0, kFooterTop, HAlign::Left,
                QStringLiteral("Printed: ") + printedDateTimeText(t.printedAt), kFooterStyle);
    if (t.number != 0) {
        canvas.text(kBandWidthMm, kFooterTop, HAlign::Right,
                    QStringLiteral("Ticket ") + QString::number(t.number), kFooterStyle);
    }
}

}  // namespace

QString benchTicketTitle(const TicketData& ticket) {
    QString title = QStringLiteral("Bench Work Ticket");
    if (ticket.number != 0) title += QLatin1Char(' ') + QString::number(ticket.number);
    const QString name = q(ticket.customer.name).trimmed();
    if (!name.isEmpty()) title += QStringLiteral(" - ") + name;
    return title;
}

void drawBenchTicket(QPainter& painter, const TicketData& ticket) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PageCanvas canvas(painter);

    canvas.setOrigin(kTitleBandOrigin);
    canvas.text(kBandWidthMm / 2.0, 0.0, HAlign::Centre, QStringLiteral("Bench Work Ticket"),
                kTitleStyle);

    canvas.setOrigin(kDetailBandOrigin);
    drawHead(canvas, ticket);
    drawCustomer(canvas, ticket);
    drawArrow(canvas, ticket);
    drawNotesAndSteps(canvas, ticket);

    canvas.setOrigin(kFooterBandOrigin);
    drawFooter(canvas, ticket);
    painter.restore();
}

}  // namespace quivra::reports
