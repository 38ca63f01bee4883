#include "Downrange.h"

#include "ArrowImpact.h"
#include "BallisticUnits.h"

#include <cmath>

namespace quivra::calculators {

DownrangeTable computeDownrange(const FlightModel& model, double launchFps, double grains,
                                double sightRadiusIn) {
    using namespace downrange;
    const double speed = launchFps * units::kMetresPerFoot;
    const double sightHeight = flight::kSightHeightIn * units::kMetresPerInch;
    const double zero = model.aimAngle(speed, kZeroYd * units::kMetresPerYard, sightHeight);
    const std::vector<FlightSample> path = model.fly(speed, zero, kLastYd);

    DownrangeTable table;
    table.dropByYardIn.reserve(path.size());
    for (const FlightSample& s : path) {
        double drop = flight::kSightHeightIn - s.heightM / units::kMetresPerInch;
        // At the zero the drop is the aim's residual (about 1e-12 in): none.
        if (std::fabs(drop) < 1e-9) drop = 0.0;
        table.dropByYardIn.push_back(drop);
    }
    for (int yd = 0; yd <= kLastYd; yd += kStepYd) {
        const auto i = static_cast<std::size_t>(yd);
        const double fps = path[i].speedMps / units::kMetresPerFoot;
        table.points.push_back({yd, fps, kineticEnergyFtLb(grains, fps),
                                momentumSlugFtS(grains, fps), table.dropByYardIn[i],
                                path[i].timeS});
    }
    auto pinTilt = [&](int yd) {
        const FlightSample& s = path[static_cast<std::size_t>(yd)];
        return zero + (sightHeight - s.heightM) / (yd * units::kMetresPerYard);
    };
    for (int yd = kFirstPinYd; yd < kLastPinYd; yd += kStepYd) {
        const double gap =
            sightRadiusIn * (std::tan(pinTilt(yd + kStepYd)) - std::tan(pinTilt(yd)));
        table.pinGaps.push_back({yd, yd + kStepYd, gap});
    }
    return table;
}

}  // namespace quivra::calculators
