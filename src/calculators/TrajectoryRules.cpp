#include "TrajectoryRules.h"

#include <algorithm>

namespace quivra::calculators {

int trajectoryRecord(int velocity, int weight, int distance) {
    return (velocity - 180) / 20 * 5 + (distance - 10) / 10 + (weight - 350) / 50 * 35;
}

TrajectoryDiagram trajectoryDiagram(int distance, int nearest, int farthest) {
    using D = TrajectoryDiagram;
    D d;
    d.nearLeft =
        std::max(D::kNearLimit, D::kNearAtSight - D::kPixelsPerYard * (distance - nearest));
    d.farLeft = D::kFarAtSight + D::kPixelsPerYard * (farthest - distance);
    d.barLeft = d.nearLeft;
    d.barWidth = d.farLeft - d.nearLeft + 2;
    d.highLabelLeft = d.nearLeft - D::kLabelOffset;
    d.lowLabelLeft = d.farLeft - D::kLabelOffset;
    return d;
}

}  // namespace quivra::calculators
