#include "EnergyModel.h"

#include "BallisticUnits.h"
#include "RatingRule.h"

#include <cmath>

namespace quivra::calculators {

namespace energy {
const BowConstants& constantsOf(BowType type) {
    switch (type) {
        case BowType::Compound:
            return kCompound;
        case BowType::Recurve:
            return kRecurve;
        case BowType::Longbow:
            return kLongbow;
    }
    return kCompound;
}
}  // namespace energy

double powerStroke(const Bow& bow) {
    return bow.drawLengthIn - bow.braceHeightIn - energy::kPowerStrokeAllowanceIn;
}

std::optional<double> energyModelSpeed(const Bow& bow, double arrowGr) {
    const double stroke = powerStroke(bow);
    const energy::BowConstants& k = energy::constantsOf(bow.type);
    const double moving = arrowGr + k.virtualMassGr + bow.stringAccessoriesGr;
    if (stroke <= 0 || moving <= 0 || bow.drawWeightLb <= 0) return std::nullopt;
    if (bow.ratingFps) {
        // 1/2 (350 + m_v) R^2 = C 70 PS_rated fixes C; every factor below is
        // exactly 1 at the rating's conditions.
        const double ratedStroke =
            rating::kDrawLengthIn - bow.braceHeightIn - energy::kPowerStrokeAllowanceIn;
        if (ratedStroke <= 0) return std::nullopt;
        const double ratio = (bow.drawWeightLb / rating::kDrawWeightLb) * (stroke / ratedStroke) *
                             ((rating::kArrowGr + k.virtualMassGr) / moving);
        return *bow.ratingFps * std::sqrt(ratio);
    }
    if (bow.type == BowType::Compound) return std::nullopt;
    const double stored = k.shapeFactor * 0.5 * bow.drawWeightLb * stroke / units::kInchesPerFoot;
    return std::sqrt(k.efficiency * stored * units::kKineticEnergyDivisor / moving);
}

}  // namespace quivra::calculators
