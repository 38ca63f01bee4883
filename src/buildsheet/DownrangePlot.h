#pragma once
// DownrangePlot: the build sheet's plot as numbers, ready to be drawn on a
// window or a printed page by the same painter (reports/DownrangePlotPainter).
//
// Two panels share the distance axis (0 to 100 yd): above, the arrow's path
// against the line of sight of a 20-yd zero (inches, up is above the line);
// below, kinetic energy (left axis, ft-lb) and momentum (right axis,
// slug-ft/s).  Beside the path stands the sight: the pins for 20 to 60 yd at
// their offsets below the 20-yd pin, with the gap between each two.

#include "Downrange.h"

#include <string>
#include <vector>

namespace quivra::buildsheet {

struct PlotAxis {
    double low = 0.0;  // the axis spans low .. high (data units), low < high
    double high = 1.0;
    std::vector<double> ticks;  // labelled values, inside the span
    int decimals = 0;           // of the tick labels

    // Where `value` lies along the axis: 0 at low, 1 at high.
    [[nodiscard]] double fraction(double value) const { return (value - low) / (high - low); }
    [[nodiscard]] std::string label(double value) const;
};

struct PlotPoint {
    double x = 0.0;  // yards
    double y = 0.0;  // the panel axis' unit
};

struct SightPin {
    int yards = 0;
    double offsetIn = 0.0;  // below the 20-yd pin
};

struct DownrangePlotModel {
    PlotAxis distance;            // yards
    PlotAxis height;              // inches above the line of sight
    PlotAxis energy;              // ft-lb
    PlotAxis momentum;            // slug-ft/s
    PlotAxis sight;               // inches below the 20-yd pin
    std::vector<PlotPoint> path;  // every yard
    std::vector<PlotPoint> energyCurve;
    std::vector<PlotPoint> momentumCurve;
    std::vector<SightPin> pins;
    std::vector<std::string> gapLabels;  // "0.13", between pins i and i + 1
};

// The plot of `table`; empty curves for an empty table.
DownrangePlotModel downrangePlot(const calculators::DownrangeTable& table);

// An axis over at least low .. high with round ticks (steps of 1, 2 or 5
// times a power of ten), at most about `maxTicks` of them; the span is
// widened to the ticks just outside the data.
PlotAxis roundAxis(double low, double high, int maxTicks);

// The plot as text, for screen readers: the path's highest rise above the
// line of sight, its drop at 40 and 60 yd, the share of energy and momentum
// kept at 60 yd, and the pin gaps.
std::string plotSummary(const calculators::DownrangeTable& table);

}  // namespace quivra::buildsheet
