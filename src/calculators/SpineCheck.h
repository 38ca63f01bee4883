#pragma once
// SpineCheck: the shaft's static spine against the stiffness the chart rule
// (SpineDemand) asks for this arrow, evaluated between chart rows.
//
// The set-up's corrected weight and length give its place on the chart of
// its page (selection::continuousRow); the demand curve at that place is
// the required deflection.  Target recurve bows need kRecurveFactor times
// the compound demand.  The margin is the shaft's stiffness over the
// required one, less 1, in percent (stiffness is the inverse of deflection):
// positive for a stiffer shaft, negative for a weaker one.
//
// The verdict agrees with the chart by construction.  A chart lists a shaft
// on a row when its deflection is within the tolerance of the row's demand;
// a set-up that the search puts on that row lies within half a row of it,
// and the demand moves by at most half a row step over that half row.  So
// the check accepts ("matches the chart") a shaft within the tolerance
// widened by half a row step of the required spine; a Target recurve, whose
// row also lists the compound-demand sizes, accepts the whole span from the
// compound demand to the recurve demand.  Outside that span the verdict is
// "weak by N%" or "stiff by N%", N the margin in whole percent.

#include "ChartPosition.h"

#include <optional>
#include <string>

namespace quivra::calculators {

struct SpineCheck {
    double requiredIn = 0.0;  // deflection the rule asks for
    double shaftIn = 0.0;     // the shaft's deflection
    double marginPercent = 0.0;
    std::string verdict;  // "matches the chart", "weak by 31%", "stiff by 27%"
    double row = 0.0;     // place on the chart, between rows
    bool onChart = true;  // within the rows a search selects on the page
};

// Empty when the set-up selects no band column or the shaft's deflection is
// not above 0.
std::optional<SpineCheck> checkSpine(const selection::ChartSetup& setup, double shaftSpineIn);

}  // namespace quivra::calculators
