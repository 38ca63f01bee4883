// Rules of the arrow weight builder.
#include "ArrowWeight.h"

#include <gtest/gtest.h>

namespace qd = quivra::details;

namespace {

TEST(ArrowWeight, WorkedExample) {
    const qd::ArrowBuild build{
        .length = 29, .nock = 10, .point = 100, .fletching = 15, .insert = 12};
    const auto weights = qd::arrowWeights(build, 8.8);
    EXPECT_EQ(weights.shaft, "255 Gr.");
    EXPECT_EQ(weights.total, "392 Gr.");
}

struct WeightCase {
    const char* name;
    qd::ArrowBuild build;
    double gpi;
    const char* shaft;
    const char* total;
};

TEST(ArrowWeight, ShaftRoundsHalfUpTotalIsCut) {
    const WeightCase cases[] = {
        {"n.5 rounds up", {.length = 29}, 8.5, "247 Gr.", "246 Gr."},
        {"whole", {.length = 28}, 8.5, "238 Gr.", "238 Gr."},
        {"399.9 total",
         {.length = 30, .nock = 9.9, .point = 100},
         9.666666666666666,
         "290 Gr.",
         "399 Gr."},
        {"nothing but parts",
         {.length = 15, .nock = 10, .point = 125, .fletching = 18, .insert = 16},
         0.0,
         "0 Gr.",
         "169 Gr."},
        {"quarter inch",
         {.length = 28.75, .nock = 8, .point = 100, .fletching = 15, .insert = 14},
         7.2,
         "207 Gr.",
         "344 Gr."},
    };
    for (const auto& c : cases) {
        const auto w = qd::arrowWeights(c.build, c.gpi);
        EXPECT_EQ(w.shaft, c.shaft) << c.name;
        EXPECT_EQ(w.total, c.total) << c.name;
    }
}

TEST(ArrowWeight, SeekKeyDropsTheBlankAndFourteenCharacters) {
    EXPECT_EQ(qd::seekKey("2213400"), "2213400");
    EXPECT_EQ(qd::seekKey("2213 (alt 2215)"), "2213");
    EXPECT_EQ(qd::seekKey("2213 abcdefghijklmnSPINE"), "2213SPINE");  // 14 characters go
    EXPECT_EQ(qd::seekKey("2213 ab cd"), "2213");
    EXPECT_EQ(qd::seekKey(""), "");
}

TEST(ArrowWeight, StartingLengthFollowsThePage) {
    using quivra::core::Page;
    for (const Page page : {Page::Hunt, Page::Targ, Page::Kstr}) {
        EXPECT_DOUBLE_EQ(*qd::initialArrowLength(page, "30", "25").value, 30.0)
            << quivra::core::pageKey(page);
    }
    EXPECT_DOUBLE_EQ(*qd::initialArrowLength(Page::Youth, "30", "25.5").value, 25.5);
    const auto bad = qd::initialArrowLength(Page::Youth, "30", "2x");
    EXPECT_FALSE(bad.value);
    EXPECT_EQ(bad.error, "'2x' is not a valid floating point value");
}

TEST(ArrowWeight, StartingPointWeightFollowsThePage) {
    using quivra::core::Page;
    EXPECT_DOUBLE_EQ(*qd::initialPointWeight(Page::Hunt, "125", 100).value, 125.0);
    for (const Page page : {Page::Targ, Page::Youth, Page::Kstr}) {
        EXPECT_DOUBLE_EQ(*qd::initialPointWeight(page, "125", 100).value, 100.0)
            << quivra::core::pageKey(page);
        EXPECT_DOUBLE_EQ(*qd::initialPointWeight(page, "not read", 80).value, 80.0)
            << quivra::core::pageKey(page);
    }
    EXPECT_EQ(qd::initialPointWeight(Page::Hunt, "", 100).error,
              "'' is not a valid floating point value");
}

struct GpiCase {
    const char* models;
    const char* gpi;
    double expected;
};

TEST(ArrowWeight, TwoFamilyRowsUseTheM4Figure) {
    const GpiCase cases[] = {
        {"KV,M4", "9.30,9.50", 9.5}, {"ZP,M4", "8.10,8.45 ", 8.45},
        {"KV", "9.3", 9.3},          {"KV,M4,XX", "9.30,9.50", 9.5},
        {"M4", "9.50", 9.5},         {"KV,M5", "9.3", 9.3},
        {"KV,M4", "9.30", 0.0},  // second figure missing: blank reads as 0
        {"", "7.25", 7.25},
    };
    for (const auto& c : cases) {
        const auto gpi = qd::grainsPerInch(c.models, c.gpi);
        ASSERT_TRUE(gpi.value) << c.models << " " << c.gpi << ": " << gpi.error;
        EXPECT_DOUBLE_EQ(*gpi.value, c.expected) << c.models << " " << c.gpi;
    }
}

TEST(ArrowWeight, TwoValueTextOnAnOrdinaryRowIsAConversionError) {
    const auto gpi = qd::grainsPerInch("KV", "9.30,9.50");
    EXPECT_FALSE(gpi.value);
    EXPECT_EQ(gpi.error, "'9.30,9.50' is not a valid floating point value");
}

}  // namespace
