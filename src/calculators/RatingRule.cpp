#include "RatingRule.h"

namespace quivra::calculators {

std::optional<double> ratingRuleSpeed(const Bow& bow, double arrowGr) {
    if (bow.type != BowType::Compound || !bow.ratingFps) return std::nullopt;
    return *bow.ratingFps - 10.0 * (rating::kDrawLengthIn - bow.drawLengthIn) -
           (arrowGr - 5.0 * bow.drawWeightLb) / 3.0 - bow.stringAccessoriesGr / 3.0;
}

}  // namespace quivra::calculators
