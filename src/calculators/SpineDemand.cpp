#include "SpineDemand.h"

#include <cmath>

namespace quivra::calculators {

double DemandCurve::at(double row) const {
    return refDeflection * std::pow(stepFactor, row - refRow);
}

DemandCurve demandCurve(selection::Page page) {
    // Anchors (data/README.md): Hunting compound hard cam 60 lb, 30 in,
    // 100 gr on row 13; Target and Kestra compound 60 lb, 28 in, 100 gr on
    // row 13; Youth 30 lb, 25 in on row 8.  Youth rows are a 4-pound band or
    // an inch apart on lighter bows, hence the steeper step.
    switch (page) {
        case selection::Page::Hunt:
            return {13, 0.400, 0.93};
        case selection::Page::Targ:
            return {13, 0.420, 0.93};
        case selection::Page::Youth:
            return {8, 0.900, 0.90};
        case selection::Page::Kstr:
            return {13, 0.420, 0.93};
    }
    return {};
}

}  // namespace quivra::calculators
