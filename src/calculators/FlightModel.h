#pragma once
// FlightModel: the point-mass flight of an arrow under gravity and quadratic
// air drag.  It derives the trajectory table (Newtraj.dbf, through the data
// generator) and the downrange table of the arrow build sheet, so both show
// the same physics.
//
// Coordinates are metres from the launch point: x downrange, y up.  The drag
// force F = 1/2 rho Cd A v^2 acts against the velocity; the model keeps only
// its ratio to the arrow's mass, k = 1/2 rho Cd A / m (per metre), so the
// drag deceleration is k v^2.  The path is integrated by fourth-order
// Runge-Kutta with fixed steps of flight::kTimeStep; values between two steps
// are interpolated linearly.  docs/ballistics.md derives the model and gives
// its constants' sources and limits.

#include <vector>

namespace quivra::calculators {

namespace flight {
inline constexpr double kGravity = 9.80665;   // m/s^2
inline constexpr double kAirDensity = 1.225;  // kg/m^3, sea level, 15 degC
inline constexpr double kTimeStep = 0.0005;   // s
// The archer aims level: the line of sight runs this far above the arrow's
// launch point (eye or sight pin over the arrow at full draw).
inline constexpr double kSightHeightIn = 3.0;
}  // namespace flight

// The arrow where it passes one whole yard.  A yard the arrow never reaches
// (it fell back or stopped) keeps heightM -1e9 and speedMps 0.
struct FlightSample {
    double heightM = -1e9;  // above the launch point
    double speedMps = 0.0;
    double timeS = 0.0;  // since launch
};

class FlightModel {
public:
    // `dragPerMass` is k = 1/2 rho Cd A / m in 1/m; 0 flies in vacuum.
    explicit FlightModel(double dragPerMass) : m_dragPerMass(dragPerMass) {}

    // k for a drag coefficient referred to a section of `areaM2` square
    // metres, on an arrow of `massKg`.
    static FlightModel withDrag(double dragCoefficient, double areaM2, double massKg);

    [[nodiscard]] double dragPerMass() const { return m_dragPerMass; }

    // Height (m) where an arrow launched at `speed` m/s and `angle` radians
    // passes `xMetres`; -1e9 when it never gets there.
    [[nodiscard]] double heightAt(double speed, double angle, double xMetres) const;

    // The arrow at each whole yard 0..maxYd (maxYd + 1 samples).
    [[nodiscard]] std::vector<FlightSample> fly(double speed, double angle, int maxYd) const;

    // The launch angle (radians, between -0.05 and 0.35) at which the arrow
    // passes `height` metres at `xMetres`: the aim of an archer sighted in at
    // that distance.  Secant steps from the drag-free aim find it in a few
    // flights; should they stray, a bracketing search over the whole range
    // (where the height there grows with the angle) takes over.  Found to a
    // miss of about 1e-13 m.
    [[nodiscard]] double aimAngle(double speed, double xMetres, double height) const;

private:
    double m_dragPerMass;
};

}  // namespace quivra::calculators
