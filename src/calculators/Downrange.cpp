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
    for (int yd = 0; yd <= kLastYd; yd += kStepYd) {
        const FlightSample& s = path[static_cast<std::size_t>(yd)];
        const double fps = s.speedMps / units::kMetresPerFoot;
        table.points.push_back(
            {yd, fps, kineticEnergyFtLb(grains, fps), momentumSlugFtS(grains, fps),
             flight::kSightHeightIn - s.heightM / units::kMetresPerInch, s.timeS});
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
