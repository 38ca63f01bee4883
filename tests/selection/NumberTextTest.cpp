// Number texts and band tables: the conversions every page relies on.
#include "NumberText.h"
#include "WeightBands.h"

#include <gtest/gtest.h>

#include <optional>

namespace quivra::selection {
namespace {

struct IntCase {
    const char* text;
    std::optional<int> value;
};

TEST(NumberText, IntegersAreStrictButAcceptBlanksAndSign) {
    const IntCase cases[] = {
        {"60", 60},
        {" 60 ", 60},
        {"+5", 5},
        {"-3", -3},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", {}},
        {"6x", {}},
        {"6.0", {}},
        {"", {}},
        {" ", {}},
        {"0x10", {}},
        {"1 2", {}},
        {"+", {}},
        {"--1", {}},
        {"\xEF\xBC\x96", {}},  // a full-width digit
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseInteger(c.text), c.value) << "'" << c.text << "'";
    }
}

struct DecimalCase {
    const char* text;
    std::optional<double> value;
};

TEST(NumberText, DecimalsUseThePointWhateverTheLocale) {
    const DecimalCase cases[] = {
        {"9.3", 9.3},    {" 8.50 ", 8.5}, {"-1.5", -1.5}, {"5.", 5.0},   {".5", 0.5},
        {"1e3", 1000.0}, {"10", 10.0},    {"9,3", {}},    {"abc", {}},   {"", {}},
        {"inf", {}},     {"nan", {}},     {"1e999", {}},  {"0x1p3", {}}, {"9.30,9.50", {}},
        {"1e", {}},      {".", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseDecimal(c.text), c.value) << "'" << c.text << "'";
    }
}

TEST(NumberText, WeightIsRoundedHalfUpToWholeGrains) {
    EXPECT_EQ(weightCaption(9.3, 30), "279");
    EXPECT_EQ(weightCaption(8.5, 29), "247");  // 246.5 + 0.5
    EXPECT_EQ(weightCaption(8.5, 28), "238");  // 238.0 + 0.5
    EXPECT_EQ(weightCaption(9.5, 30), "285");
    EXPECT_EQ(weightCaption(0.0, 30), "0");
    EXPECT_EQ(weightCaption(8.05, 30), "242");  // 241.5 in decimal, not quite in binary
    EXPECT_EQ(weightCaption(-1.0, 30), "-29");
}

TEST(NumberText, CuttingDeletesTheMarkAndFourteenCharacters) {
    EXPECT_EQ(cutAtFirst("2213 with a note", ' '), "2213");
    EXPECT_EQ(cutAtFirst("2213          ", ' '), "2213");
    EXPECT_EQ(cutAtFirst("2213 abcdefghijklmnXY", ' '), "2213XY");
    EXPECT_EQ(cutAtFirst("2213", ' '), "2213");
    EXPECT_EQ(cutAtFirst("1714*1614", '*'), "1714");
    EXPECT_EQ(cutAtFirst("*1614", '*'), "");
}

TEST(NumberText, CompletenessCountsCharactersNotBytes) {
    EXPECT_EQ(characterCount("60"), 2U);
    EXPECT_EQ(characterCount("\xC3\xA9"), 1U);
    EXPECT_EQ(characterCount(""), 0U);
}

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
