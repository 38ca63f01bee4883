#include "TrajectoryTable.h"

#include "ArrowDrag.h"
#include "BallisticUnits.h"
#include "FlightModel.h"

#include <cmath>

namespace quivra::gendata {

namespace units = calculators::units;

TrajectoryResult computeTrajectory(double launchFps, double grains, int sightYd) {
    const calculators::FlightModel arrow = calculators::ArrowDrag::reference().flight(grains);
    const double speed = launchFps * units::kMetresPerFoot;
    const double sightHeight = calculators::flight::kSightHeightIn * units::kMetresPerInch;
    const double angle = arrow.aimAngle(speed, sightYd * units::kMetresPerYard, sightHeight);
    const std::vector<calculators::FlightSample> path =
        arrow.fly(speed, angle, trajectory::kMaxRangeYd);

    const double window = trajectory::kWindowIn * units::kMetresPerInch;
    auto inside = [&](int yd) {
        return std::fabs(path[static_cast<std::size_t>(yd)].heightM - sightHeight) <= window + 1e-9;
    };
    TrajectoryResult r;
    r.velocityFps = static_cast<int>(
        std::lround(path[static_cast<std::size_t>(sightYd)].speedMps / units::kMetresPerFoot));
    r.nearYd = sightYd;
    while (r.nearYd > 1 && inside(r.nearYd - 1)) --r.nearYd;
    r.farYd = sightYd;
    while (r.farYd < trajectory::kMaxRangeYd && inside(r.farYd + 1)) ++r.farYd;
    return r;
}

std::vector<TrajectoryRow> trajectoryTable() {
    std::vector<TrajectoryRow> rows;
    for (int w = 350; w <= 650; w += 50)
        for (int v = 180; v <= 300; v += 20)
            for (int d = 20; d <= 60; d += 10)
                rows.push_back({w, v, d, computeTrajectory(v, w, d)});
    return rows;
}

}  // namespace quivra::gendata
