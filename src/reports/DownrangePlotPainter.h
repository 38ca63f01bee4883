#pragma once
// Draws the build sheet's downrange plot (buildsheet::DownrangePlotModel)
// with QPainter inside a box, in whatever units the painter uses: pixels in
// the window, millimetres on the printed page.  Texts go through a callback,
// so each surface sets them in its own fonts (the page through PageCanvas).
//
// Every curve and every text is drawn in a colour with a contrast of at
// least 4.5:1 on white; momentum is also dashed, so the two lower curves
// differ without colour.

#include "DownrangePlot.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>

class QPainter;

namespace quivra::reports {

struct PlotStyle {
    double lineHeight = 12.0;  // of one label, in the painter's units
    double digitWidth = 6.0;   // of one digit, in the painter's units
    double curveWidth = 2.0;   // pen of the curves
    double lineWidth = 1.0;    // pen of frames, ticks and the sight
};

// Draws `text` with its box placed at `anchor` by `align` (left, right or
// horizontal centre; top, bottom or vertical centre) in `colour`.
using PlotLabel = std::function<void(QPointF anchor, Qt::Alignment align, const QString& text,
                                     const QColor& colour)>;

void paintDownrangePlot(QPainter& painter, const QRectF& box,
                        const buildsheet::DownrangePlotModel& model, const PlotStyle& style,
                        const PlotLabel& label);

// The colours of the plot: texts, frames and ticks; the path; energy; momentum.
QColor plotInkColour();
QColor pathColour();
QColor energyColour();
QColor momentumColour();

}  // namespace quivra::reports
