#pragma once
// TrajectoryTable: the rows of the trajectory table (Newtraj.dbf), flown
// with the program's flight model (calculators/FlightModel) and its
// reference arrow (calculators/ArrowDrag).
//
// The archer aims level at a target at the sighted distance; the line of
// sight runs flight::kSightHeightIn above the arrow's launch point and the
// launch angle makes the arrow cross it exactly at the sighted distance.
// The kill window is the stretch of whole yards around the sighted distance
// over which the arrow stays within kWindowIn of the line of sight: it is
// kWindowIn high at its near end (or starts at the bow) and kWindowIn low at
// its far end.

#include <vector>

namespace quivra::gendata {

namespace trajectory {
inline constexpr double kWindowIn = 4.0;  // half height of the kill window
inline constexpr int kMaxRangeYd = 120;   // furthest yard examined
}  // namespace trajectory

struct TrajectoryResult {
    int velocityFps = 0;  // arrow speed at the sighted distance, whole feet per second
    int nearYd = 0;       // nearest whole yard of the kill window (at least 1)
    int farYd = 0;        // farthest whole yard of the kill window
};

// Flies an arrow of `grains` launched at `launchFps`, sighted in at `sightYd`.
TrajectoryResult computeTrajectory(double launchFps, double grains, int sightYd);

struct TrajectoryRow {
    int weight = 0, velocity = 0, distance = 0;  // table inputs
    TrajectoryResult result;
};

// The 245 rows in table order: weight 350..650 step 50 outermost, velocity
// 180..300 step 20, distance 20..60 step 10 innermost (the record number of
// each is calculators::trajectoryRecord).
std::vector<TrajectoryRow> trajectoryTable();

}  // namespace quivra::gendata
