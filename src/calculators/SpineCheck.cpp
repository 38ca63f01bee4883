#include "SpineCheck.h"

#include "SpineDemand.h"

#include <cmath>

namespace quivra::calculators {

namespace {

// Deflections compare within this relative slack: a shaft the chart lists at
// exactly the tolerance must not fall out by a rounding error.
constexpr double kSlack = 1e-9;

std::string percentText(double percent) {
    return std::to_string(std::lround(std::fabs(percent))) + "%";
}

}  // namespace

std::optional<SpineCheck> checkSpine(const selection::ChartSetup& setup, double shaftSpineIn) {
    const std::optional<double> row = selection::continuousRow(setup);
    if (!row || !(shaftSpineIn > 0)) return std::nullopt;
    const DemandCurve curve = demandCurve(setup.page);
    const double compoundDemand = curve.at(*row);
    const bool targetRecurve = setup.page == selection::Page::Targ && setup.bowType == 1;
    const double required = targetRecurve ? compoundDemand * spine::kRecurveFactor : compoundDemand;

    SpineCheck check;
    check.requiredIn = required;
    check.shaftIn = shaftSpineIn;
    check.marginPercent = (required / shaftSpineIn - 1.0) * 100.0;
    check.row = *row;
    const auto [first, last] = selection::validRows(setup.page);
    check.onChart = *row >= first - 0.5 && *row < last + 0.5;

    const double widen = spine::kTolerance / std::sqrt(curve.stepFactor);
    const double stiffest = compoundDemand / widen * (1 - kSlack);
    const double weakest = required * widen * (1 + kSlack);
    if (shaftSpineIn > weakest) {
        check.verdict = "weak by " + percentText(check.marginPercent);
    } else if (shaftSpineIn < stiffest) {
        check.verdict = "stiff by " + percentText(check.marginPercent);
    } else {
        check.verdict = "matches the chart";
    }
    return check;
}

}  // namespace quivra::calculators
