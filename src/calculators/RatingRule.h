#pragma once
// RatingRule: the rule of thumb shops use to turn a compound bow's speed
// rating into the speed of a customer's arrow:
//
//   v = R - 10 (30 - DL) - (W - 5 DW) / 3 - S / 3
//
// R the rating (fps), DL the draw length (in), W the arrow weight (gr), DW
// the draw weight (lb), S the string accessories (gr).  Ten feet per second
// per inch of draw, one per three grains of arrow beyond 5 grains per pound
// of draw weight, and one per three grains on the string.  It is shown as
// it stands, for compound bows with a rating only; docs/ballistics.md says
// where it departs from the energy model.

#include "Bow.h"

#include <optional>

namespace quivra::calculators {

namespace rating {
inline constexpr double kDrawWeightLb = 70.0;  // the rating's conditions
inline constexpr double kDrawLengthIn = 30.0;
inline constexpr double kArrowGr = 350.0;
}  // namespace rating

// The rule's speed in feet per second, unrounded; empty for a bow that is no
// compound or has no rating.  The value may be 0 or below for set-ups far
// outside the rule's range (a very heavy arrow): the caller decides.
std::optional<double> ratingRuleSpeed(const Bow& bow, double arrowGr);

}  // namespace quivra::calculators
