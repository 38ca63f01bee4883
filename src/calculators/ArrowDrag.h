#pragma once
// ArrowDrag: the air drag of an arrow, as a drag coefficient referred to the
// section of its shaft.
//
// The drag of an arrow is mostly skin friction: along the shaft (growing
// with its diameter times its length) and on the fletching (growing with
// the vanes' area, for which their weight stands here).  The reference arrow
// is the trajectory table's: a 0.300-inch, 30-inch shaft with 15 grains of
// vanes and a drag coefficient of 2.0 on its section; three quarters of that
// drag is the shaft's, one quarter the fletching's.  Any other arrow scales
// the two parts:
//
//   Cd A = 2.0 A_ref (0.75 (D L) / (D_ref L_ref) + 0.25 F / F_ref)
//
// docs/ballistics.md gives the sources of these numbers and how the
// resulting speed loss compares with published measurements.

#include "FlightModel.h"

namespace quivra::calculators {

namespace drag {
inline constexpr double kReferenceCoefficient = 2.0;
inline constexpr double kReferenceDiameterIn = 0.300;
inline constexpr double kReferenceLengthIn = 30.0;
inline constexpr double kReferenceFletchingGr = 15.0;
inline constexpr double kShaftShare = 0.75;  // of the reference arrow's drag
}  // namespace drag

struct ArrowDrag {
    double coefficient = drag::kReferenceCoefficient;  // referred to the section below
    double diameterIn = drag::kReferenceDiameterIn;    // shaft outside diameter

    // pi/4 d^2 in square metres.
    [[nodiscard]] double areaM2() const;
    // The flight of an arrow of this drag weighing `grains`.
    [[nodiscard]] FlightModel flight(double grains) const;

    // The trajectory table's arrow.
    static ArrowDrag reference() { return {}; }
    // A shaft of outside diameter `diameterIn` and length `lengthIn` with
    // `fletchingGr` grains of fletching (0 for a bare shaft).  Diameter and
    // length must be above 0.
    static ArrowDrag of(double diameterIn, double lengthIn, double fletchingGr);
};

}  // namespace quivra::calculators
