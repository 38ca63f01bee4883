#pragma once
// The weight band tables of the four pages.  A column lists consecutive
// inclusive weight ranges; the band of a weight is the ordinal of its range,
// counted from the column's first band (the hard-cam and medium-cam Target
// columns start at bands 3 and 2).

#include <cstdint>
#include <optional>
#include <span>

namespace quivra::selection {

struct BandColumn {
    int firstBand = 1;          // band number of the first range
    int lowest = 0;             // lowest weight of the first range
    std::span<const int> tops;  // highest weight of each range, ascending

    [[nodiscard]] int highest() const { return tops.empty() ? lowest : tops.back(); }
    // The band holding `weight`, or nothing when the column does not cover it.
    [[nodiscard]] std::optional<int> bandOf(std::int64_t weight) const;
};

namespace bands {
// Hunting: compound by HuntCamType, recurve, modern longbow.
extern const BandColumn kHuntHardCam;
extern const BandColumn kHuntMediumCam;
extern const BandColumn kHuntRecurve;
extern const BandColumn kHuntLongbow;
// Target: recurve (uncorrected weight) and compound by WheelType.
extern const BandColumn kTargRecurve;
extern const BandColumn kTargHardCam;
extern const BandColumn kTargMediumCam;
extern const BandColumn kTargSoftCam;
// Youth: the youth bow weight, no corrections.
extern const BandColumn kYouth;
// Kestra: recurve and compound hard cam share the first column.
extern const BandColumn kKstrFirst;
extern const BandColumn kKstrMediumCam;
}  // namespace bands

}  // namespace quivra::selection
