#pragma once
// FlightModel: the point-mass flight of an arrow under gravity and quadratic
// air drag, used to compute the trajectory table (Newtraj.dbf).
//
// The archer aims level at a target at the sighted distance; the line of
// sight runs kSightHeightIn above the arrow's launch point and the launch
// angle is chosen so that the arrow crosses the line of sight exactly at the
// sighted distance.  The kill window is the stretch of whole yards around the
// sighted distance over which the arrow stays within kWindowIn of the line of
// sight: it is kWindowIn high at its near end (or starts at the bow) and
// kWindowIn low at its far end.

#include <vector>

namespace quivra::gendata {

namespace flight {
inline constexpr double kGravity = 9.80665;        // m/s^2
inline constexpr double kAirDensity = 1.225;       // kg/m^3, sea level, 15 degC
inline constexpr double kDragCoefficient = 2.0;    // referred to the shaft section
inline constexpr double kShaftDiameterIn = 0.300;  // reference section diameter
inline constexpr double kSightHeightIn = 3.0;      // line of sight above the arrow at the bow
inline constexpr double kWindowIn = 4.0;           // half height of the kill window
inline constexpr double kTimeStep = 0.0005;        // s, fourth-order Runge-Kutta
inline constexpr int kMaxRangeYd = 120;            // furthest yard examined
}  // namespace flight

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
// 180..300 step 20, distance 20..60 step 10 innermost.
std::vector<TrajectoryRow> trajectoryTable();

// 1-based record number of the inputs, as the trajectory window computes it.
int trajectoryRecord(int velocity, int weight, int distance);

}  // namespace quivra::gendata
