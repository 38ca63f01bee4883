#pragma once
// EnergyModel: the build sheet's headline speed, from the energy the bow
// stores and the share of it that reaches the arrow.
//
// The bow stores energy over its power stroke PS = DL - BH - 1.75 in (draw
// length less brace height less the 1.75 in by which the draw length is
// measured past the pivot point), in proportion to its peak draw weight DW.
// Of it, a share moves the arrow (W grains) together with a virtual mass
// m_v of limbs, cams and string, and the string accessories S that ride on
// the string:
//
//   1/2 (W + m_v + S) v^2 = C DW PS
//
// For a rated bow the one constant C is calibrated so that the model gives
// the rating R exactly at the rating's conditions (70 lb, 30 in, 350 gr, a
// bare string) with the bow's own brace height:
//
//   v = R sqrt( (DW / 70) (PS / PS_rated) (350 + m_v) / (W + m_v + S) )
//
// A recurve or longbow without a rating gets C from its force-draw curve:
// stored energy = shape x 1/2 DW PS (the straight line's area times the
// curve's shape factor), of which `efficiency` survives limb hysteresis and
// hand shock.  A compound without a rating gets no estimate.  The constants
// and their sources are in docs/ballistics.md.

#include "Bow.h"

#include <optional>

namespace quivra::calculators {

namespace energy {
inline constexpr double kPowerStrokeAllowanceIn = 1.75;

struct BowConstants {
    double virtualMassGr;  // limbs, cams and string moving with the arrow
    double shapeFactor;    // stored energy over 1/2 DW PS (unrated bows)
    double efficiency;     // share of the stored energy that moves arrow and virtual mass
};
inline constexpr BowConstants kCompound{80.0, 0.0, 0.0};  // always calibrated to a rating
inline constexpr BowConstants kRecurve{90.0, 1.15, 0.93};
inline constexpr BowConstants kLongbow{150.0, 1.0, 0.93};

const BowConstants& constantsOf(BowType type);
}  // namespace energy

// Power stroke in inches (may be 0 or below for an impossible set-up).
double powerStroke(const Bow& bow);

// The arrow's launch speed in feet per second; empty when the bow gets no
// estimate (a compound without a rating) or the power stroke is not
// positive.  At the rating's conditions it is the rating, exactly.
std::optional<double> energyModelSpeed(const Bow& bow, double arrowGr);

}  // namespace quivra::calculators
