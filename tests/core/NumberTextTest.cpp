// Number texts: the conversions every library relies on.
#include "NumberText.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace quivra::core {
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

TEST(NumberText, ParsesWholeNumbersAsTyped) {
    EXPECT_EQ(parseInteger("400"), 400);
    EXPECT_EQ(parseInteger(" 42 "), 42);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("-3"), -3);
    for (const char* bad : {"", " ", "4.5", "12a", "abc", "++1", "99999999999"}) {
        EXPECT_FALSE(parseInteger(bad)) << bad;
    }
}

TEST(NumberText, TrimsBlanksAroundFieldTexts) {
    EXPECT_EQ(trimBlanks("  42 "), "42");
    EXPECT_EQ(trimBlanks("Aluminum M4 alloy   "), "Aluminum M4 alloy");
    EXPECT_EQ(trimBlanks("    "), "");
}

TEST(NumberText, ParsesDecimalsWithPointOnly) {
    EXPECT_DOUBLE_EQ(*parseDecimal("8.8"), 8.8);
    EXPECT_DOUBLE_EQ(*parseDecimal(" 29 "), 29.0);
    EXPECT_FALSE(parseDecimal("8,8"));
    EXPECT_FALSE(parseDecimal(""));
    EXPECT_FALSE(parseDecimal("nan"));
}

TEST(NumberText, WritesShortestFixedTextAndCuts) {
    EXPECT_EQ(decimalText(255.2 + 0.5), "255.7");
    EXPECT_EQ(decimalText(1e-7, 15), "0.0000001");
    EXPECT_EQ(decimalText(-0.0), "0");
    EXPECT_EQ(decimalText(1.5e20, 15), "150000000000000000000");
    EXPECT_EQ(cutDecimals("35.5416", 2), "35.54");
    EXPECT_EQ(cutDecimals("255.7", 0), "255");
    EXPECT_EQ(cutDecimals("-10", 1), "-10");
    EXPECT_EQ(cutDecimals("-0.04", 1), "0.0");
}

TEST(NumberText, FixedTextRoundsToExactlyTheDecimalsAsked) {
    EXPECT_EQ(fixedText(303.90924950014096, 1), "303.9");
    EXPECT_EQ(fixedText(0.55017402070579, 3), "0.550");
    EXPECT_EQ(fixedText(83.6, 0), "84");
    EXPECT_EQ(fixedText(2.675, 2), "2.67");  // the double lies below 2.675
    EXPECT_EQ(fixedText(-0.04, 1), "0.0");
    EXPECT_EQ(fixedText(-1.25, 1), "-1.2");
    EXPECT_EQ(fixedText(std::numeric_limits<double>::infinity(), 2), "0");
    EXPECT_EQ(fixedText(1e300, 0).size(), 301U);
}

}  // namespace
}  // namespace quivra::core
