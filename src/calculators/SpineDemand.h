#pragma once
// SpineDemand: the chart rule from which the delivered shaft-size charts are
// derived, shared by the data generator (which picks each row's shafts with
// it) and the build sheet's spine check (which evaluates it between rows).
//
// A chart row stands for a required stiffness: the static spine deflection
// (inches, under 1.94 lb at the centre of a 28-inch span) that a shaft should
// have for every set-up landing on the row.  One row step is one inch of
// arrow or one weight band, and each step asks for a shaft a fixed
// proportion stiffer:
//
//   demand(row) = refDeflection x stepFactor^(row - refRow)
//
// A chart offers only shafts within kTolerance of the demand (on a
// logarithmic scale: between demand / 1.25 and demand x 1.25).  On the
// Target chart a recurve bow's demand is kRecurveFactor times the compound
// demand of its row.

#include "SelectionInputs.h"

namespace quivra::calculators {

struct DemandCurve {
    int refRow = 13;
    double refDeflection = 0.400;  // inches at refRow
    double stepFactor = 0.93;      // demand(row + 1) = demand(row) x stepFactor

    // The demand at a chart row; a fractional row lies between two rows.
    [[nodiscard]] double at(double row) const;
};

// The curve of the chart of `page` (Hunting, Target compound, Youth, Kestra).
DemandCurve demandCurve(selection::Page page);

namespace spine {
inline constexpr double kRecurveFactor = 1.15;  // Target recurve demand over compound
inline constexpr double kTolerance = 1.25;      // at most 25 % from the demand
}  // namespace spine

}  // namespace quivra::calculators
