#include "DownrangePlotPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>

namespace quivra::reports {

namespace {

using buildsheet::DownrangePlotModel;
using buildsheet::PlotAxis;
using buildsheet::PlotPoint;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

// Maps data values of one panel onto its rectangle.
struct Panel {
    QRectF area;
    const PlotAxis* x = nullptr;
    const PlotAxis* y = nullptr;

    [[nodiscard]] QPointF at(double xValue, double yValue) const {
        return {area.left() + x->fraction(xValue) * area.width(),
                area.bottom() - y->fraction(yValue) * area.height()};
    }
    [[nodiscard]] double yAt(const PlotAxis& axis, double value) const {
        return area.bottom() - axis.fraction(value) * area.height();
    }
};

QPen pen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine) {
    QPen p(colour);
    p.setWidthF(width);
    p.setStyle(style);
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

void drawCurve(QPainter& painter, const Panel& panel, const PlotAxis& axis,
               const std::vector<PlotPoint>& points, const QPen& curvePen) {
    if (points.size() < 2) return;
    QPainterPath path;
    path.moveTo(panel.area.left() + panel.x->fraction(points.front().x) * panel.area.width(),
                panel.yAt(axis, points.front().y));
    for (std::size_t i = 1; i < points.size(); ++i) {
        path.lineTo(panel.area.left() + panel.x->fraction(points[i].x) * panel.area.width(),
                    panel.yAt(axis, points[i].y));
    }
    painter.setPen(curvePen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

// Frame, light grid lines at the distance ticks and at `yAxis`' ticks, and
// the distance labels under the frame.
void drawFrame(QPainter& painter, const Panel& panel, const PlotAxis& yAxis, const PlotStyle& style,
               const PlotLabel& label) {
    painter.setPen(pen(QColor(0xd0, 0xd0, 0xd0), style.lineWidth));
    for (const double t : panel.x->ticks) {
        const double x = panel.at(t, yAxis.low).x();
        painter.drawLine(QPointF(x, panel.area.top()), QPointF(x, panel.area.bottom()));
    }
    for (const double t : yAxis.ticks) {
        const double y = panel.yAt(yAxis, t);
        painter.drawLine(QPointF(panel.area.left(), y), QPointF(panel.area.right(), y));
    }
    painter.setPen(pen(plotInkColour(), style.lineWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(panel.area);
    for (const double t : panel.x->ticks) {
        label({panel.at(t, yAxis.low).x(), panel.area.bottom() + style.lineHeight * 0.1},
              Qt::AlignHCenter | Qt::AlignTop, q(panel.x->label(t)), plotInkColour());
    }
}

void drawYLabels(const Panel& panel, const PlotAxis& axis, bool right, const QColor& colour,
                 const PlotStyle& style, const PlotLabel& label) {
    const double gap = style.digitWidth * 0.5;
    for (const double t : axis.ticks) {
        const double y = panel.yAt(axis, t);
        if (right) {
            label({panel.area.right() + gap, y}, Qt::AlignLeft | Qt::AlignVCenter, q(axis.label(t)),
                  colour);
        } else {
            label({panel.area.left() - gap, y}, Qt::AlignRight | Qt::AlignVCenter, q(axis.label(t)),
                  colour);
        }
    }
}

void drawSight(QPainter& painter, const QRectF& strip, const DownrangePlotModel& model,
               const PlotStyle& style, const PlotLabel& label) {
    if (model.pins.empty()) return;
    const double barX = strip.left() + strip.width() * 0.35;
    const double tick = style.digitWidth;
    const auto yOf = [&](double offset) {
        return strip.top() + model.sight.fraction(offset) * strip.height();
    };
    painter.setPen(pen(plotInkColour(), style.lineWidth));
    painter.drawLine(QPointF(barX, strip.top()), QPointF(barX, strip.bottom()));
    for (std::size_t i = 0; i < model.pins.size(); ++i) {
        const double y = yOf(model.pins[i].offsetIn);
        painter.setPen(pen(plotInkColour(), style.curveWidth));
        painter.drawLine(QPointF(barX - tick, y), QPointF(barX, y));
        label({barX - tick * 1.2, y}, Qt::AlignRight | Qt::AlignVCenter,
              QString::number(model.pins[i].yards), plotInkColour());
        if (i + 1 < model.pins.size() && i < model.gapLabels.size()) {
            const double mid = (y + yOf(model.pins[i + 1].offsetIn)) / 2.0;
            label({barX + tick * 0.5, mid}, Qt::AlignLeft | Qt::AlignVCenter, q(model.gapLabels[i]),
                  pathColour());
        }
    }
}

}  // namespace

QColor plotInkColour() {
    return {0x1a, 0x1a, 0x1a};
}
QColor pathColour() {
    return {0x1b, 0x4f, 0x8a};
}
QColor energyColour() {
    return {0xa3, 0x2a, 0x1c};
}
QColor momentumColour() {
    return {0x1e, 0x6b, 0x31};
}

void paintDownrangePlot(QPainter& painter, const QRectF& box, const DownrangePlotModel& model,
                        const PlotStyle& style, const PlotLabel& label) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double l = style.lineHeight;
    const double leftMargin = style.digitWidth * 6.0;
    const double rightMargin = style.digitWidth * 7.0;
    const double sightWidth = style.digitWidth * 11.0;
    // Title, panel, distance labels, title, panel, distance labels, caption.
    const double panelHeight = std::max(l, (box.height() - 5.4 * l) / 2.0);

    const double topTitle = box.top();
    const QRectF upper(box.left() + leftMargin, topTitle + 1.2 * l,
                       box.width() - leftMargin - rightMargin - sightWidth, panelHeight);
    const double lowerTitle = upper.bottom() + 1.4 * l;
    const QRectF lower(box.left() + leftMargin, lowerTitle + 1.2 * l,
                       box.width() - leftMargin - rightMargin, panelHeight);

    label({upper.left(), topTitle}, Qt::AlignLeft | Qt::AlignTop,
          QStringLiteral("Path against the line of sight, in (zero at 20 yd)"), pathColour());
    label({box.right() - rightMargin, topTitle}, Qt::AlignRight | Qt::AlignTop,
          QStringLiteral("Sight pins, gaps in"), plotInkColour());
    label({lower.left(), lowerTitle}, Qt::AlignLeft | Qt::AlignTop,
          QStringLiteral("Kinetic energy, ft-lb"), energyColour());
    label({lower.right(), lowerTitle}, Qt::AlignRight | Qt::AlignTop,
          QStringLiteral("Momentum, slug-ft/s (dashed)"), momentumColour());
    label({lower.center().x(), lower.bottom() + 1.1 * l}, Qt::AlignHCenter | Qt::AlignTop,
          QStringLiteral("Distance, yd"), plotInkColour());

    const Panel top{upper, &model.distance, &model.height};
    drawFrame(painter, top, model.height, style, label);
    drawYLabels(top, model.height, false, pathColour(), style, label);
    if (!model.path.empty()) {
        // The line of sight.
        painter.setPen(pen(plotInkColour(), style.lineWidth, Qt::DashLine));
        const double y = top.yAt(model.height, 0.0);
        painter.drawLine(QPointF(upper.left(), y), QPointF(upper.right(), y));
        drawCurve(painter, top, model.height, model.path, pen(pathColour(), style.curveWidth));
        painter.setBrush(pathColour());
        painter.setPen(Qt::NoPen);
        for (const buildsheet::SightPin& pin : model.pins) {
            const auto i = static_cast<std::size_t>(pin.yards);
            if (i < model.path.size()) {
                painter.drawEllipse(top.at(model.path[i].x, model.path[i].y),
                                    style.curveWidth * 1.5, style.curveWidth * 1.5);
            }
        }
    }
    const QRectF strip(upper.right() + rightMargin * 0.3, upper.top(), sightWidth, upper.height());
    drawSight(painter, strip, model, style, label);

    const Panel bottom{lower, &model.distance, &model.energy};
    drawFrame(painter, bottom, model.energy, style, label);
    drawYLabels(bottom, model.energy, false, energyColour(), style, label);
    drawYLabels(bottom, model.momentum, true, momentumColour(), style, label);
    drawCurve(painter, bottom, model.energy, model.energyCurve,
              pen(energyColour(), style.curveWidth));
    drawCurve(painter, bottom, model.momentum, model.momentumCurve,
              pen(momentumColour(), style.curveWidth, Qt::DashLine));
    painter.restore();
}

}  // namespace quivra::reports
