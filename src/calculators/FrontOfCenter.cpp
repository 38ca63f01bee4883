#include "FrontOfCenter.h"

#include "NumberText.h"

namespace quivra::calculators {

double frontOfCenterPercent(double arrowLength, double balanceDistance) {
    return (balanceDistance - arrowLength / 2.0) * 100.0 / arrowLength;
}

FrontOfCenter computeFrontOfCenter(double arrowLength, double balanceDistance) {
    FrontOfCenter result;
    if (arrowLength == 0.0) {
        result.message = std::string(kZeroLengthMessage);
        return result;
    }
    const double percent = frontOfCenterPercent(arrowLength, balanceDistance);
    // Nine significant digits keep every digit the inputs can justify and
    // absorb the last-bit error of 15.4 and its kind.
    result.text = core::cutDecimals(core::decimalText(percent, 9), 1) + "%";
    result.ok = true;
    return result;
}

}  // namespace quivra::calculators
