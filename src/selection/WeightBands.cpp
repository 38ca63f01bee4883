#include "WeightBands.h"

#include <array>

namespace quivra::selection {

std::optional<int> BandColumn::bandOf(std::int64_t weight) const {
    if (weight < lowest) return std::nullopt;
    for (std::size_t i = 0; i < tops.size(); ++i) {
        if (weight <= tops[i]) return firstBand + static_cast<int>(i);
    }
    return std::nullopt;
}

namespace bands {
namespace {
// Tops of the ranges; each range starts one pound above the previous top.
constexpr std::array kHuntHardTops{36, 41, 46, 51, 56, 61, 66, 72, 78, 84, 90, 96};
constexpr std::array kHuntMediumTops{41, 46, 51, 56, 61, 66, 72, 78, 84, 90, 96, 102};
constexpr std::array kHuntRecurveTops{36, 41, 46, 51, 56, 61, 66, 72, 78, 84, 90, 95};
constexpr std::array kHuntLongbowTops{43, 49, 55, 61, 67, 73, 79, 85, 91, 97, 103, 109, 115, 121};

constexpr std::array kTargRecurveTops{23, 29, 35, 40, 45, 50, 55, 60, 65, 70, 76};
constexpr std::array kTargHardTops{35, 40, 45, 50, 55, 60, 65, 70, 76};
constexpr std::array kTargMediumTops{35, 40, 45, 50, 55, 60, 65, 70, 76, 82};
constexpr std::array kTargSoftTops{35, 40, 45, 50, 55, 60, 65, 70, 76, 82, 88};

constexpr std::array kYouthTops{19, 23, 27, 31, 35, 40};

constexpr std::array kKstrFirstTops{26, 31, 36, 41, 46, 51, 56, 61, 66, 72, 78, 84, 90};
constexpr std::array kKstrMediumTops{31, 36, 41, 46, 51, 56, 61, 66, 72, 78, 84, 90, 96};
}  // namespace

constinit const BandColumn kHuntHardCam{1, 32, kHuntHardTops};
constinit const BandColumn kHuntMediumCam{1, 37, kHuntMediumTops};
constinit const BandColumn kHuntRecurve{1, 32, kHuntRecurveTops};
constinit const BandColumn kHuntLongbow{1, 38, kHuntLongbowTops};

constinit const BandColumn kTargRecurve{1, 17, kTargRecurveTops};
constinit const BandColumn kTargHardCam{3, 29, kTargHardTops};
constinit const BandColumn kTargMediumCam{2, 29, kTargMediumTops};
constinit const BandColumn kTargSoftCam{1, 29, kTargSoftTops};

constinit const BandColumn kYouth{1, 16, kYouthTops};

constinit const BandColumn kKstrFirst{1, 22, kKstrFirstTops};
constinit const BandColumn kKstrMediumCam{1, 27, kKstrMediumTops};
}  // namespace bands

}  // namespace quivra::selection
