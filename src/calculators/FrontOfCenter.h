#pragma once
// Front-of-centre balance of an arrow, in percent of its length:
//   FOC = (A - L / 2) * 100 / L
// with L the arrow length and A the balance point's distance from the nock
// groove, both in inches.  Shown with at most one decimal, cut (not
// rounded), followed by "%".

#include <string>
#include <string_view>

namespace quivra::calculators {

struct FrontOfCenter {
    bool ok = false;
    std::string text;     // e.g. "8.3%"; set when ok
    std::string message;  // why nothing was computed; set when !ok
};

inline constexpr std::string_view kZeroLengthMessage =
    "The arrow length must be greater than zero to compute the front of center.";

// The percentage itself, unrounded; the arrow length must not be 0.
double frontOfCenterPercent(double arrowLength, double balanceDistance);

// The values are those the fields show (two decimals at most).  The result
// is rounded to 9 significant digits before it is cut, so that a value that
// is mathematically whole is not shown a tenth too low by binary rounding
// (L 28, A 15.4 gives "5%").  An arrow length of 0 computes nothing.
FrontOfCenter computeFrontOfCenter(double arrowLength, double balanceDistance);

}  // namespace quivra::calculators
