// Chart positions between rows: every whole weight of a band lies within
// half a row of the band's row, the scale rises with the weight and has no
// jump at the band edges, and it continues past the column's ends.
#include "ChartPosition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace quivra::selection {
namespace {

struct Column {
    const char* name;
    ChartSetup setup;
};

ChartSetup setupOf(Page page, int bowType, int camType) {
    ChartSetup s;
    s.page = page;
    s.bowType = bowType;
    s.camType = camType;
    s.arrowLength = 30;
    return s;
}

TEST(ChartPosition, WholeWeightsLieWithinHalfARowOfTheirBand) {
    const Column columns[] = {
        {"hunt hard cam", setupOf(Page::Hunt, 0, 0)},
        {"hunt medium cam", setupOf(Page::Hunt, 0, 1)},
        {"hunt recurve", setupOf(Page::Hunt, 1, 0)},
        {"hunt longbow", setupOf(Page::Hunt, 2, 0)},
        {"targ recurve", setupOf(Page::Targ, 1, 0)},
        {"targ hard cam", setupOf(Page::Targ, 0, 0)},
        {"targ medium cam", setupOf(Page::Targ, 0, 1)},
        {"targ soft cam", setupOf(Page::Targ, 0, 2)},
        {"youth", setupOf(Page::Youth, 0, 0)},
        {"kstr hard cam", setupOf(Page::Kstr, 0, 0)},
        {"kstr medium cam", setupOf(Page::Kstr, 0, 1)},
    };
    for (const Column& c : columns) {
        ChartSetup s = c.setup;
        const BandColumn* column = bandColumn(s);
        ASSERT_NE(column, nullptr) << c.name;
        std::optional<double> last;
        for (double w = column->lowest - 10; w <= column->highest() + 10; w += 0.25) {
            s.weight = w;
            const double row = *continuousRow(s);
            if (last) {
                EXPECT_GT(row, *last) << c.name << " at " << w;
                // Bands are 4 pounds wide or more: a quarter pound moves at
                // most a sixteenth of a row.
                EXPECT_LT(row - *last, 0.25 / 4 + 1e-9) << c.name << ": a jump at " << w;
            }
            last = row;
            if (w != std::floor(w)) continue;
            if (const auto band = column->bandOf(static_cast<std::int64_t>(w))) {
                const double rowOfSearch = *band + s.arrowLength - rowLengthOffset(s);
                EXPECT_LT(std::fabs(row - rowOfSearch), 0.5) << c.name << " at " << w;
            }
        }
    }
}

TEST(ChartPosition, CorrectionsAndOffsetsOfEachPage) {
    ChartSetup s = setupOf(Page::Hunt, 0, 0);
    s.weight = 60;
    s.braceHt = 1;
    s.releaseType = 1;
    s.pointWeight = 125;
    s.overDraw = 2;
    EXPECT_EQ(correctedWeight(s), 73);  // 60 + 5 + 5 + 3, past the 50-70 of the overdraw
    s.weight = 50;
    EXPECT_EQ(correctedWeight(s), 66);  // 63 + 3 for a 2" overdraw
    s.pointWeight = 127.5;              // between the steps: no correction, as the search
    EXPECT_EQ(correctedWeight(s), 63);

    ChartSetup kestra = setupOf(Page::Kstr, 0, 0);
    kestra.weight = 60;
    kestra.pointWeight = 100.5;
    kestra.overDraw = 5;
    EXPECT_EQ(correctedWeight(kestra), 63);
    kestra.bowType = 1;
    EXPECT_EQ(correctedWeight(kestra), 60);

    EXPECT_EQ(rowLengthOffset(setupOf(Page::Hunt, 2, 0)), 25);
    EXPECT_EQ(rowLengthOffset(setupOf(Page::Youth, 0, 0)), 21);
    EXPECT_EQ(rowLengthOffset(setupOf(Page::Targ, 1, 0)), 23);
    EXPECT_EQ(bandColumn(setupOf(Page::Targ, 0, 3)), nullptr);
    EXPECT_FALSE(continuousRow(setupOf(Page::Hunt, 3, 0)));
    EXPECT_FALSE(readsPointWeight(setupOf(Page::Targ, 1, 0)));
    EXPECT_TRUE(readsPointWeight(setupOf(Page::Hunt, 1, 0)));
}

}  // namespace
}  // namespace quivra::selection
