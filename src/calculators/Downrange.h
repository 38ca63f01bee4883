#pragma once
// Downrange: what an arrow does between the bow and 100 yards, for an
// archer sighted in at 20 yards, and the gaps between the sight pins for 20
// to 60 yards.
//
// The archer aims level: the line of sight runs flight::kSightHeightIn
// above the arrow's launch point, and the launch angle makes the arrow cross
// it at the zero distance.  The drop is measured below that line (negative
// while the arrow flies above it, before the zero).
//
// A pin for distance d must tilt the bow up by the angle that lifts the
// 20-yard path onto the line of sight at d; to first order in that small
// angle (well under a degree between pins) the path turns rigidly about the
// bow, so the tilt is the drop at d over d.  The pins sit `sightRadiusIn`
// in front of the eye, so a tilt of a moves a pin by sightRadius x tan a.

#include "FlightModel.h"

#include <vector>

namespace quivra::calculators {

namespace downrange {
inline constexpr int kZeroYd = 20;
inline constexpr int kStepYd = 10;
inline constexpr int kLastYd = 100;
inline constexpr int kFirstPinYd = 20;
inline constexpr int kLastPinYd = 60;
// Eye to sight pin: the draw length plus this (the sight stands some 4 in in
// front of the riser, the eye about 1 in behind the nock at anchor; the
// draw length already reaches 1.75 in past the pivot).
inline constexpr double kSightRadiusOverDrawIn = 3.0;
}  // namespace downrange

struct DownrangePoint {
    int yards = 0;
    double fps = 0.0;
    double keFtLb = 0.0;
    double momentumSlugFtS = 0.0;
    double dropIn = 0.0;  // below the line of sight
    double timeS = 0.0;
};

struct PinGap {
    int fromYd = 0, toYd = 0;
    double gapIn = 0.0;  // distance between the two pins on the sight
};

struct DownrangeTable {
    std::vector<DownrangePoint> points;  // 0, 10, ... 100 yards
    std::vector<PinGap> pinGaps;         // 20-30, 30-40, 40-50, 50-60
    std::vector<double> dropByYardIn;    // the drop at every whole yard 0 .. 100 (plots)
};

// `model` flies the arrow of `grains`, launched at `launchFps`.
DownrangeTable computeDownrange(const FlightModel& model, double launchFps, double grains,
                                double sightRadiusIn);

}  // namespace quivra::calculators
