// The Youth and Kestra pages: their bands, rows and resets, their control
// set-up, and slots keyed by the chart's model field.
#include "SearchEngine.h"
#include "SearchTables.h"

#include <gtest/gtest.h>

#include <memory>

namespace quivra::selection {
namespace {

using test::ChartRows;
using test::SearchTables;

class YouthKestraTest : public ::testing::Test {
protected:
    void SetUp() override {
        ChartRows youth;
        for (int r = 1; r <= 10; ++r) youth[r] = {{"1413", "YA"}};
        youth[8] = {{"1413", "YA"}, {"1416", "YA"}, {"1413", "YA"},
                    {"1416", "YA"}, {"", "YA"},     {"1416", "YA"}};
        ASSERT_NO_FATAL_FAILURE(t.writeChart(Page::Youth, youth));
        ChartRows kstr;
        for (int r = 9; r <= 19; ++r) kstr[r] = {{"K400", "KM"}};
        kstr[13] = {{"K400", "KM"}, {"K500", "KM"}, {"K500", ""}, {"K400 ", " KM "}};
        ASSERT_NO_FATAL_FAILURE(t.writeChart(Page::Kstr, kstr));
        ASSERT_NO_FATAL_FAILURE(t.writeSpecs({
            {"1413", "YA", "0.900", "HY", "TY", "6.0"},
            {"1416", "YA", "0.800", "HY", "TY", "6.5"},
            {"K400", "KM", "0.400", "K1,K2", "TK", "7.5"},
            {"K500", "KM", "0.500", "K3", "TK", "7.0"},
        }));
        engine = std::make_unique<SearchEngine>(t.dir());
    }

    static SelectionInputs youth(std::string weight, std::string length = "25") {
        SelectionInputs in;
        in.page = Page::Youth;
        in.youthBowWeight = std::move(weight);
        in.youthArrowLength = std::move(length);
        return in;
    }
    static SelectionInputs kestra(std::string weight, std::string length = "28", int bowType = 0,
                                  int cam = 0, std::string point = "100") {
        SelectionInputs in;
        in.page = Page::Kstr;
        in.bowWeight = std::move(weight);
        in.arrowLength = std::move(length);
        in.targBowType = bowType;
        in.huntCamType = cam;
        in.pointWeight = std::move(point);
        return in;
    }
    const SearchOutcome& search(const SelectionInputs& in) { return engine->search(in); }

    SearchTables t;
    std::unique_ptr<SearchEngine> engine;
};

struct RowCase {
    const char* name;
    SelectionInputs in;
    std::optional<int> band;
    std::optional<int> row;
    bool valid;
};

TEST_F(YouthKestraTest, YouthBandsAndRows) {
    const RowCase cases[] = {
        {"defaults", youth("30"), 4, 8, true},
        {"lowest row", youth("16", "21"), 1, 1, true},
        {"highest row", youth("40", "25"), 6, 10, true},
        {"19", youth("19"), 1, 5, true},
        {"20", youth("20"), 2, 6, true},
        {"36", youth("36"), 6, 10, true},
        {"row 11", youth("40", "26"), 6, 11, false},
        {"15", youth("15"), {}, {}, false},
        {"45", youth("45"), {}, {}, false},
    };
    for (const RowCase& c : cases) {
        const SearchOutcome& o = search(c.in);
        ASSERT_FALSE(o.error) << c.name;
        EXPECT_EQ(o.runs[0].band, c.band) << c.name;
        EXPECT_EQ(o.runs[0].row, c.row) << c.name;
        EXPECT_EQ(o.runs[0].valid, c.valid) << c.name;
        EXPECT_EQ(o.searchedPage, Page::Youth);
    }
}

TEST_F(YouthKestraTest, YouthResetRunsTheNestedSearch) {
    const SearchOutcome& o = search(youth("40", "26"));
    ASSERT_EQ(o.runs.size(), 2U);
    EXPECT_EQ(o.runs[0].resetTo, "30");
    EXPECT_EQ(o.inputs.youthBowWeight, "30");
    EXPECT_EQ(o.inputs.bowWeight, "60");  // the adult field is not touched
    EXPECT_EQ(o.runs[1].band, 4);
    EXPECT_EQ(o.runs[1].row, 9);
    EXPECT_EQ(o.grid(Page::Youth)[0].size.caption, "1413");

    const SearchOutcome& same = search(youth("30", "33"));  // row 16, reset leaves "30"
    ASSERT_EQ(same.runs.size(), 1U);
    for (const RecommendationSlot& s : same.grid(Page::Youth)) EXPECT_FALSE(s.size.showCaption);
}

TEST_F(YouthKestraTest, YouthSlotsAndControls) {
    SelectionInputs in = youth("30");
    in.bowWeight = "6";  // one character: the Youth search runs anyway
    in.pointWeight = "5x";
    in.bowType = 1;
    const SearchOutcome& o = search(in);
    ASSERT_FALSE(o.error);
    EXPECT_TRUE(o.searched);
    EXPECT_FALSE(o.commonReset);
    const auto& g = o.grid(Page::Youth);
    EXPECT_EQ(g[0].size.caption, "1413");
    EXPECT_EQ(g[0].models.caption, "TY");
    EXPECT_EQ(g[0].weight.caption, "150");  // 6.0 x 25
    EXPECT_EQ(g[1].weight.caption, "163");  // 6.5 x 25 = 162.5
    EXPECT_FALSE(g[4].size.showCaption);    // entry 5 has no size
    EXPECT_TRUE(g[5].size.showCaption);     // slots are independent
    EXPECT_FALSE(g[6].size.showCaption);
    EXPECT_EQ(engine->current().detailRequest(Page::Youth, 1)->key,
              engine->current().grid(Page::Youth)[0].size.caption + "YA");

    const SetupControls& c = o.controls;
    for (const ControlState* s :
         {&c.braceHt, &c.huntCamType, &c.wheelType, &c.targBowType, &c.bowType, &c.releaseType,
          &c.overDraw, &c.pointWtSpin, &c.upDown4}) {
        EXPECT_FALSE(s->enabled);
    }
    EXPECT_TRUE(c.youthBowWtSpin.visible);
    EXPECT_TRUE(c.youthArrowLenSpin.visible);
    EXPECT_FALSE(c.bowWeightSpin.visible);
    EXPECT_FALSE(c.arrowLengthSpin.visible);
    EXPECT_TRUE(c.huntCamType.visible);

    // Back to Hunting (whose chart this folder lacks): the adult fields come
    // back before the missing table ends the search.
    SelectionInputs hunt;
    const SearchOutcome& ho = search(hunt);
    EXPECT_TRUE(ho.error);
    const SetupControls& h = ho.controls;
    EXPECT_TRUE(h.bowWeightSpin.visible);
    EXPECT_FALSE(h.youthBowWtSpin.visible);
    EXPECT_TRUE(h.pointWtSpin.enabled);
}

// An adult arrow length that fails the completeness test ("30.25") stops
// the common reset, but the Youth search runs: a slot an earlier search
// emptied must show again when the new row fills it.
TEST_F(YouthKestraTest, YouthSlotsEmptiedEarlierShowAgainWithoutTheCommonReset) {
    SelectionInputs in = youth("30", "24");  // row 7: one entry
    in.arrowLength = "30.25";
    ASSERT_FALSE(search(in).grid(Page::Youth)[1].size.showCaption);
    in.youthArrowLength = "25";  // row 8: entry 2 is 1416
    const SearchOutcome& o = search(in);
    ASSERT_FALSE(o.commonReset);
    const RecommendationSlot& second = o.grid(Page::Youth)[1];
    EXPECT_EQ(second.size.caption, "1416");
    for (const GridButton* b : {&second.size, &second.spine, &second.models, &second.weight}) {
        EXPECT_TRUE(b->showCaption);
    }
    EXPECT_TRUE(second.size.enabled);
}

TEST_F(YouthKestraTest, KestraSlotsEmptiedEarlierShowAgainWithoutTheCommonReset) {
    SelectionInputs in = kestra("60", "28");  // row 13: four entries, the third empty
    in.pointWeight = "5";                     // too short: no common reset
    ASSERT_TRUE(search(in).grid(Page::Kstr)[1].size.showCaption);
    in.arrowLength = "27";  // row 12: one entry
    ASSERT_FALSE(search(in).grid(Page::Kstr)[1].size.showCaption);
    in.arrowLength = "28";
    const RecommendationSlot& second = search(in).grid(Page::Kstr)[1];
    EXPECT_EQ(second.size.caption, "K500");
    EXPECT_TRUE(second.size.showCaption);
    EXPECT_TRUE(second.weight.showCaption);
    EXPECT_TRUE(second.size.enabled);
}

TEST_F(YouthKestraTest, YouthLengthOfAnyWidthIsReadWithoutOverflow) {
    const SearchOutcome& o = search(youth("30", "-2147483648"));
    ASSERT_FALSE(o.error);
    EXPECT_EQ(o.runs[0].row, std::int64_t{4} - 2147483648LL - 21);
    EXPECT_FALSE(o.runs[0].valid);
    EXPECT_EQ(o.runs.size(), 1U);  // the reset leaves "30": no nested search
}

TEST_F(YouthKestraTest, YouthConversionError) {
    EXPECT_EQ(search(youth("")).error, "'' is not a valid integer value");
    EXPECT_EQ(search(youth("30", "2x")).error, "'2x' is not a valid integer value");
}

TEST_F(YouthKestraTest, KestraBandsAndRows) {
    SelectionInputs fingers = kestra("60");
    fingers.releaseType = 1;
    fingers.braceHt = 1;
    SelectionInputs overdraw = kestra("60");
    overdraw.overDraw = 5;
    const RowCase cases[] = {
        {"defaults", kestra("60"), 8, 13, true},
        {"point 105", kestra("60", "28", 0, 0, "105"), 9, 14, true},
        {"fingers and low brace", fingers, 10, 15, true},
        {"medium cam", kestra("60", "28", 0, 1), 7, 12, true},
        {"overdraw ignored", overdraw, 8, 13, true},
        {"recurve lowest row", kestra("40", "28", 1), 4, 9, true},
        {"recurve row 8", kestra("40", "27", 1), 4, 8, false},
        {"recurve 20", kestra("20", "28", 1), {}, {}, false},
        {"recurve 95", kestra("95", "28", 1), {}, {}, false},
    };
    for (const RowCase& c : cases) {
        const SearchOutcome& o = search(c.in);
        ASSERT_FALSE(o.error) << c.name;
        EXPECT_EQ(o.runs[0].band, c.band) << c.name;
        EXPECT_EQ(o.runs[0].row, c.row) << c.name;
        EXPECT_EQ(o.runs[0].valid, c.valid) << c.name;
        EXPECT_EQ(o.searchedPage, Page::Kstr);
    }
    EXPECT_EQ(search(kestra("60", "28", 0, 0, "105")).runs[0].correctedWeight, 63);
    EXPECT_EQ(search(fingers).runs[0].correctedWeight, 70);
}

TEST_F(YouthKestraTest, KestraResetAndNestedSearch) {
    const SearchOutcome& o = search(kestra("40", "27", 1));
    ASSERT_EQ(o.runs.size(), 2U);
    EXPECT_EQ(o.runs[0].resetTo, "60");
    EXPECT_EQ(o.runs[1].band, 8);
    EXPECT_EQ(o.runs[1].row, 12);
    EXPECT_EQ(o.grid(Page::Kstr)[0].size.caption, "K400");
}

TEST_F(YouthKestraTest, KestraResetToTheSameTextShowsAnEmptyGrid) {
    search(kestra("60"));
    const SearchOutcome& o = search(kestra("60", "40"));  // row 25
    ASSERT_EQ(o.runs.size(), 1U);
    EXPECT_EQ(o.runs[0].resetTo, "60");
    EXPECT_EQ(o.messages.size(), 1U);
    for (const RecommendationSlot& s : o.grid(Page::Kstr)) {
        EXPECT_FALSE(s.size.showCaption);
        EXPECT_EQ(s.size.caption, "");
    }
}

TEST_F(YouthKestraTest, KestraSlotsArePresentByTheirModelField) {
    const SearchOutcome& o = search(kestra("60"));
    ASSERT_FALSE(o.error);
    const auto& g = o.grid(Page::Kstr);
    EXPECT_EQ(g[0].models.caption, "K1,K2");
    EXPECT_EQ(g[0].weight.caption, "210");  // 7.5 x 28: one value on this page
    EXPECT_EQ(g[1].models.caption, "K3");
    EXPECT_FALSE(g[2].size.showCaption);  // size without a model
    EXPECT_FALSE(g[2].size.enabled);
    EXPECT_EQ(g[3].size.caption, "K400");  // size and model trimmed
    EXPECT_EQ(g[3].models.caption, "K1,K2");
    EXPECT_EQ(engine->current().detailRequest(Page::Kstr, 4)->key,
              engine->current().grid(Page::Kstr)[3].size.caption + "KM");
    EXPECT_FALSE(o.controls.bowType.visible);
    EXPECT_TRUE(o.controls.targBowType.visible);
    EXPECT_FALSE(o.controls.wheelType.visible);
    EXPECT_TRUE(o.controls.overDraw.enabled);
}

TEST_F(YouthKestraTest, KestraRecurveDisablesTheCompoundGroups) {
    const SearchOutcome& o = search(kestra("40", "28", 1, 0, "5x"));  // point not read
    ASSERT_FALSE(o.error);
    for (const ControlState* s : {&o.controls.huntCamType, &o.controls.releaseType,
                                  &o.controls.overDraw, &o.controls.braceHt}) {
        EXPECT_FALSE(s->enabled);
    }
    // An incomplete text skips the common reset of the grids, but the groups
    // follow the bow type all the same: a compound bow gets them back.
    const SearchOutcome& c = search(kestra("60", "28", 0, 0, "5"));
    EXPECT_FALSE(c.commonReset);
    EXPECT_TRUE(c.controls.releaseType.enabled);
    EXPECT_TRUE(c.controls.huntCamType.enabled);
    EXPECT_TRUE(c.controls.braceHt.enabled);
    EXPECT_TRUE(c.controls.overDraw.enabled);
}

}  // namespace
}  // namespace quivra::selection
