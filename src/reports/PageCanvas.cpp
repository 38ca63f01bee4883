#include "PageCanvas.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QTextLayout>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <vector>

namespace quivra::reports {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;
constexpr double kSmallestFittedPoint = 6.0;

// Saves the painter and switches its user space to device units, keeping the
// millimetre mapping's origin; restores on destruction.
class DeviceUnits {
public:
    DeviceUnits(QPainter& painter, double unitsPerMm) : m_painter(painter) {
        m_painter.save();
        m_painter.scale(1.0 / unitsPerMm, 1.0 / unitsPerMm);
    }
    ~DeviceUnits() { m_painter.restore(); }
    DeviceUnits(const DeviceUnits&) = delete;
    DeviceUnits& operator=(const DeviceUnits&) = delete;

private:
    QPainter& m_painter;
};

}  // namespace

PageCanvas::PageCanvas(QPainter& painter) : m_painter(painter) {}

QFont PageCanvas::reportFont(const TextStyle& style) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(style.pointSize);
    font.setBold(style.bold);
    // Unhinted outlines keep the layout the same on screen-resolution images
    // and on 1200 dpi PDF files.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double PageCanvas::unitsPerMm() const {
    const QTransform& t = m_painter.worldTransform();
    return std::hypot(t.m11(), t.m12());
}

QFont PageCanvas::deviceFont(const TextStyle& style) const {
    // Qt turns points into device units with the device's resolution; the
    // world transform may map a millimetre to any number of device units, so
    // the point size is adjusted to make one point exactly 25.4/72 mm.
    const double dpi = m_painter.device()->logicalDpiY();
    const double scale = unitsPerMm() * 25.4 / dpi;
    TextStyle sized = style;
    sized.pointSize = style.pointSize * scale;
    return reportFont(sized);
}

double PageCanvas::textWidth(const QString& text, const TextStyle& style) const {
    const QFontMetricsF metrics(deviceFont(style), m_painter.device());
    return metrics.horizontalAdvance(text.trimmed()) / unitsPerMm();
}

double PageCanvas::textHeight(const TextStyle& style) const {
    const QFontMetricsF metrics(deviceFont(style), m_painter.device());
    return (metrics.ascent() + metrics.descent()) / unitsPerMm();
}

void PageCanvas::text(double x, double top, HAlign align, const QString& text,
                      const TextStyle& style, double maxWidth) {
    const QString shown = text.trimmed();
    if (shown.isEmpty()) return;

    TextStyle fitted = style;
    if (maxWidth > 0.0) {
        // Widths do not scale exactly with the size (kerning, rounding of
        // advances), so shrink until the text really fits.
        for (int attempt = 0; attempt < 8 && fitted.pointSize > kSmallestFittedPoint; ++attempt) {
            const double width = textWidth(shown, fitted);
            if (width <= maxWidth) break;
            fitted.pointSize =
                std::max(kSmallestFittedPoint, fitted.pointSize * maxWidth / width * 0.99);
        }
    }

    const double k = unitsPerMm();
    const QFont font = deviceFont(fitted);
    const QFontMetricsF metrics(font, m_painter.device());
    // Still too wide at the smallest size: cut short with an ellipsis rather
    // than print over the neighbouring column.
    const QString drawn =
        maxWidth > 0.0 ? metrics.elidedText(shown, Qt::ElideRight, maxWidth * k) : shown;
    const double width = metrics.horizontalAdvance(drawn);
    double left = (m_origin.x() + x) * k;
    if (align == HAlign::Centre) left -= width / 2.0;
    if (align == HAlign::Right) left -= width;
    // A smaller fitted size keeps the original size's centre line, so a
    // shrunken cell text still sits in its row.
    double boxTop = (m_origin.y() + top) * k;
    if (fitted.pointSize != style.pointSize) {
        boxTop += (style.pointSize - fitted.pointSize) * kMmPerPoint * k / 2.0;
    }

    const DeviceUnits deviceUnits(m_painter, k);
    m_painter.setFont(font);
    m_painter.setPen(QColor::fromRgb(fitted.colour));
    m_painter.drawText(QPointF(left, boxTop + metrics.ascent()), drawn);
}

void PageCanvas::wrappedText(const QRectF& box, const QString& text, const TextStyle& style) {
    QString body = text;
    body.remove(QLatin1Char('\r'));
    body.replace(QLatin1Char('\n'), QChar::LineSeparator);
    body = body.trimmed();
    if (body.isEmpty()) return;

    const double k = unitsPerMm();
    const QFont font = deviceFont(style);
    const QFontMetricsF metrics(font, m_painter.device());
    const double width = box.width() * k;
    const double bottom = (m_origin.y() + box.bottom()) * k;
    const double left = (m_origin.x() + box.left()) * k;

    QTextLayout layout(body, font, m_painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = (m_origin.y() + box.top()) * k;
    struct Line {
        QString text;
        double baseline;
    };
    std::vector<Line> lines;
    bool truncated = false;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (y + metrics.height() > bottom) {
            truncated = true;
            break;
        }
        QString lineText = body.mid(line.textStart(), line.textLength());
        lineText.remove(QChar::LineSeparator);
        lines.push_back({lineText, y + metrics.ascent()});
        y += metrics.lineSpacing();
    }
    layout.endLayout();
    if (truncated && !lines.empty()) {
        Line& last = lines.back();
        last.text = metrics.elidedText(last.text.trimmed() + QChar(0x2026), Qt::ElideRight, width);
    }

    const DeviceUnits deviceUnits(m_painter, k);
    m_painter.setFont(font);
    m_painter.setPen(QColor::fromRgb(style.colour));
    for (const Line& line : lines) {
        m_painter.drawText(QPointF(left, line.baseline), line.text.trimmed());
    }
}

void PageCanvas::hRule(double y, double x1, double x2) {
    QPen pen(Qt::black);
    pen.setWidthF(kRuleWidthMm);
    pen.setCapStyle(Qt::FlatCap);
    m_painter.setPen(pen);
    m_painter.drawLine(QPointF(m_origin.x() + x1, m_origin.y() + y),
                       QPointF(m_origin.x() + x2, m_origin.y() + y));
}

void PageCanvas::rectangle(const QRectF& box) {
    QPen pen(Qt::black);
    pen.setWidthF(kRuleWidthMm);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(box.translated(m_origin));
}

}  // namespace quivra::reports
