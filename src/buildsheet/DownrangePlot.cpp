#include "DownrangePlot.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace quivra::buildsheet {

namespace {

constexpr int kDistanceStepYd = 20;

std::string fixed(double value, int decimals) {
    return core::fixedText(value, decimals);
}

}  // namespace

std::string PlotAxis::label(double value) const {
    return core::fixedText(value, decimals);
}

PlotAxis roundAxis(double low, double high, int maxTicks) {
    if (!(high > low)) high = low + 1.0;
    const double raw = (high - low) / std::max(1, maxTicks);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (step >= raw) break;
    }
    PlotAxis axis;
    axis.low = std::floor(low / step) * step;
    axis.high = std::ceil(high / step) * step;
    axis.decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    for (double v = axis.low; v <= axis.high + step * 1e-6; v += step) {
        axis.ticks.push_back(std::fabs(v) < step * 1e-9 ? 0.0 : v);
    }
    return axis;
}

DownrangePlotModel downrangePlot(const calculators::DownrangeTable& table) {
    DownrangePlotModel m;
    m.distance.low = 0.0;
    m.distance.high = calculators::downrange::kLastYd;
    for (int yd = 0; yd <= calculators::downrange::kLastYd; yd += kDistanceStepYd) {
        m.distance.ticks.push_back(yd);
    }
    if (table.points.empty()) return m;

    double lowest = 0.0;
    double highest = 0.0;
    for (std::size_t yd = 0; yd < table.dropByYardIn.size(); ++yd) {
        const double height = -table.dropByYardIn[yd];
        m.path.push_back({static_cast<double>(yd), height});
        lowest = std::min(lowest, height);
        highest = std::max(highest, height);
    }
    m.height = roundAxis(lowest, highest, 5);

    double keLow = table.points.front().keFtLb;
    double momentumLow = table.points.front().momentumSlugFtS;
    for (const calculators::DownrangePoint& p : table.points) {
        m.energyCurve.push_back({static_cast<double>(p.yards), p.keFtLb});
        m.momentumCurve.push_back({static_cast<double>(p.yards), p.momentumSlugFtS});
        keLow = std::min(keLow, p.keFtLb);
        momentumLow = std::min(momentumLow, p.momentumSlugFtS);
    }
    m.energy = roundAxis(keLow, table.points.front().keFtLb, 4);
    m.momentum = roundAxis(momentumLow, table.points.front().momentumSlugFtS, 4);

    double offset = 0.0;
    m.pins.push_back({calculators::downrange::kFirstPinYd, 0.0});
    for (const calculators::PinGap& g : table.pinGaps) {
        offset += g.gapIn;
        m.pins.push_back({g.toYd, offset});
        m.gapLabels.push_back(fixed(g.gapIn, 2));
    }
    m.sight = roundAxis(0.0, std::max(offset, 0.01), 4);
    return m;
}

std::string plotSummary(const calculators::DownrangeTable& table) {
    if (table.points.size() <= 6) return "No downrange figures.";
    double rise = 0.0;
    for (const double drop : table.dropByYardIn) rise = std::max(rise, -drop);
    const calculators::DownrangePoint& first = table.points.front();
    const calculators::DownrangePoint& at40 = table.points[4];
    const calculators::DownrangePoint& at60 = table.points[6];
    std::string text = "Path: highest " + fixed(rise, 1) + " in above the line of sight, " +
                       fixed(at40.dropIn, 1) + " in below it at 40 yd, " + fixed(at60.dropIn, 1) +
                       " in at 60 yd.  At 60 yd the arrow keeps " +
                       fixed(100.0 * at60.keFtLb / first.keFtLb, 0) + " % of its energy and " +
                       fixed(100.0 * at60.momentumSlugFtS / first.momentumSlugFtS, 0) +
                       " % of its momentum.  Pin gaps:";
    for (const calculators::PinGap& g : table.pinGaps) {
        text += " " + std::to_string(g.fromYd) + " to " + std::to_string(g.toYd) + " yd " +
                fixed(g.gapIn, 2) + " in;";
    }
    if (!table.pinGaps.empty()) text.back() = '.';
    return text;
}

}  // namespace quivra::buildsheet
