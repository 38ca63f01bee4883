#include "ArrowAssembly.h"

namespace quivra::calculators {

double ArrowAssembly::totalGr() const {
    return shaftGr() + pointGr + insertGr + nockGr + fletchingGr;
}

double ArrowAssembly::estimatedBalanceIn() const {
    const double moment = shaftGr() * shaftLengthIn / 2 + pointGr * shaftLengthIn +
                          insertGr * (shaftLengthIn - assembly::kInsertCentreIn) +
                          fletchingGr * assembly::kFletchingCentreIn;  // the nock's arm is 0
    return moment / totalGr();
}

}  // namespace quivra::calculators
