// The band tables of every page: the edges of each column.
#include "WeightBands.h"

#include <gtest/gtest.h>

#include <optional>

namespace quivra::selection {
namespace {

struct BandCase {
    const char* column;
    const BandColumn* bands;
    int weight;
    std::optional<int> band;
};

TEST(WeightBands, EdgesOfEveryColumn) {
    using namespace bands;
    const BandCase cases[] = {
        {"hunt hard", &kHuntHardCam, 31, {}},
        {"hunt hard", &kHuntHardCam, 32, 1},
        {"hunt hard", &kHuntHardCam, 66, 7},
        {"hunt hard", &kHuntHardCam, 67, 8},
        {"hunt hard", &kHuntHardCam, 96, 12},
        {"hunt hard", &kHuntHardCam, 97, {}},
        {"hunt medium", &kHuntMediumCam, 36, {}},
        {"hunt medium", &kHuntMediumCam, 37, 1},
        {"hunt medium", &kHuntMediumCam, 102, 12},
        {"hunt medium", &kHuntMediumCam, 103, {}},
        {"hunt recurve", &kHuntRecurve, 91, 12},
        {"hunt recurve", &kHuntRecurve, 95, 12},
        {"hunt recurve", &kHuntRecurve, 96, {}},
        {"hunt longbow", &kHuntLongbow, 37, {}},
        {"hunt longbow", &kHuntLongbow, 38, 1},
        {"hunt longbow", &kHuntLongbow, 121, 14},
        {"hunt longbow", &kHuntLongbow, 122, {}},
        {"targ recurve", &kTargRecurve, 16, {}},
        {"targ recurve", &kTargRecurve, 17, 1},
        {"targ recurve", &kTargRecurve, 76, 11},
        {"targ recurve", &kTargRecurve, 77, {}},
        {"targ hard", &kTargHardCam, 28, {}},
        {"targ hard", &kTargHardCam, 29, 3},
        {"targ hard", &kTargHardCam, 76, 11},
        {"targ hard", &kTargHardCam, 77, {}},
        {"targ medium", &kTargMediumCam, 29, 2},
        {"targ medium", &kTargMediumCam, 82, 11},
        {"targ medium", &kTargMediumCam, 83, {}},
        {"targ soft", &kTargSoftCam, 29, 1},
        {"targ soft", &kTargSoftCam, 88, 11},
        {"targ soft", &kTargSoftCam, 89, {}},
        {"youth", &kYouth, 15, {}},
        {"youth", &kYouth, 16, 1},
        {"youth", &kYouth, 19, 1},
        {"youth", &kYouth, 20, 2},
        {"youth", &kYouth, 36, 6},
        {"youth", &kYouth, 40, 6},
        {"youth", &kYouth, 41, {}},
        {"kstr first", &kKstrFirst, 21, {}},
        {"kstr first", &kKstrFirst, 22, 1},
        {"kstr first", &kKstrFirst, 66, 9},
        {"kstr first", &kKstrFirst, 67, 10},
        {"kstr first", &kKstrFirst, 90, 13},
        {"kstr first", &kKstrFirst, 91, {}},
        {"kstr medium", &kKstrMediumCam, 26, {}},
        {"kstr medium", &kKstrMediumCam, 27, 1},
        {"kstr medium", &kKstrMediumCam, 96, 13},
        {"kstr medium", &kKstrMediumCam, 97, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.bands->bandOf(c.weight), c.band) << c.column << " at " << c.weight;
    }
}

TEST(WeightBands, ResetLimitsOfTheHuntingColumns) {
    EXPECT_EQ(bands::kHuntHardCam.lowest, 32);
    EXPECT_EQ(bands::kHuntHardCam.highest(), 96);
    EXPECT_EQ(bands::kHuntMediumCam.highest(), 102);
    EXPECT_EQ(bands::kHuntRecurve.highest(), 95);
    EXPECT_EQ(bands::kHuntLongbow.lowest, 38);
    EXPECT_EQ(bands::kHuntLongbow.highest(), 121);
}

}  // namespace
}  // namespace quivra::selection
