#pragma once
// ArrowAssembly: a finished arrow from its parts: its total weight and,
// when nobody has balanced it on a finger, an estimate of its balance point.
//
// The estimate puts each part's weight where it sits, measured from the
// bottom of the nock groove: the shaft's along its length (centre L/2), the
// insert's centre half an inch inside the front end, the point's at the
// shaft's end (its shank sits in the insert, its tip ahead of the shaft), the
// nock's at the groove and the fletching's kFletchingCentreIn up the shaft
// (a 4-inch vane set an inch from the groove).  docs/ballistics.md compares
// it with measured arrows.

namespace quivra::calculators {

namespace assembly {
inline constexpr double kInsertCentreIn = 0.5;     // behind the shaft's front end
inline constexpr double kFletchingCentreIn = 3.0;  // from the nock groove
}  // namespace assembly

struct ArrowAssembly {
    double shaftLengthIn = 0.0;  // nock groove to the end of the shaft
    double grainsPerInch = 0.0;
    double pointGr = 0.0;
    double insertGr = 0.0;
    double nockGr = 0.0;
    double fletchingGr = 0.0;

    [[nodiscard]] double shaftGr() const { return shaftLengthIn * grainsPerInch; }
    [[nodiscard]] double totalGr() const;
    // Balance point in inches from the nock groove; the total must be above 0.
    [[nodiscard]] double estimatedBalanceIn() const;
};

}  // namespace quivra::calculators
