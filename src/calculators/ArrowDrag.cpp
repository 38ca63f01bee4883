#include "ArrowDrag.h"

#include "BallisticUnits.h"

#include <cmath>
#include <numbers>

namespace quivra::calculators {

double ArrowDrag::areaM2() const {
    return std::numbers::pi / 4 * std::pow(diameterIn * units::kMetresPerInch, 2);
}

FlightModel ArrowDrag::flight(double grains) const {
    return FlightModel::withDrag(coefficient, areaM2(), grains * units::kKgPerGrain);
}

ArrowDrag ArrowDrag::of(double diameterIn, double lengthIn, double fletchingGr) {
    using namespace drag;
    const double shaft = (diameterIn * lengthIn) / (kReferenceDiameterIn * kReferenceLengthIn);
    const double fletching = fletchingGr / kReferenceFletchingGr;
    const double dragArea = kShaftShare * shaft + (1 - kShaftShare) * fletching;  // in A_ref Cd_ref
    // Referred to this shaft's own section.
    const double sectionRatio = kReferenceDiameterIn / diameterIn;
    return {kReferenceCoefficient * dragArea * sectionRatio * sectionRatio, diameterIn};
}

}  // namespace quivra::calculators
