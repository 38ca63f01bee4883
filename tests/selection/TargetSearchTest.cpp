// The Target page: compound corrections by cam class, the band tables, the
// compound/recurve split, the six layouts, two-value weights in slots 7 to
// 14, the hidden spine labels and the invalid-selection path.
#include "SearchEngine.h"
#include "SearchTables.h"

#include <gtest/gtest.h>

#include <memory>

namespace quivra::selection {
namespace {

using test::ChartRows;
using test::SearchTables;
using test::SpecRow;

// Entry k of an ordinary row: "k00*k50" for k <= 5, "k00" above; spine "Sk".
std::vector<test::ChartEntry> ordinaryRow(int pairs) {
    std::vector<test::ChartEntry> row;
    for (int k = 1; k <= 14; ++k) {
        const std::string size = std::to_string(k) + "00";
        row.push_back(
            {k <= pairs ? size + "*" + std::to_string(k) + "50" : size, "S" + std::to_string(k)});
    }
    return row;
}

class TargetSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ChartRows rows;
        for (int r = 2; r <= 19; ++r) rows[r] = ordinaryRow(5);
        rows[9][4].size = "500";  // entry 5 without a recurve part
        rows[15] = ordinaryRow(1);
        rows[16] = ordinaryRow(1);
        ASSERT_NO_FATAL_FAILURE(t.writeChart(Page::Targ, rows));
        std::vector<SpecRow> specs;
        for (int k = 1; k <= 14; ++k) {
            const std::string n = std::to_string(k);
            if (k == 7) {
                specs.push_back({"700", "S7", "0.7", "KV,M4", "ZP,M4", "8.00,9.00"});
            } else {
                specs.push_back({n + "00", "S" + n, "0." + n, "H" + n, "T" + n, "8.0"});
            }
            if (k <= 5) specs.push_back({n + "50", "S" + n, "0." + n, "H" + n, "R" + n, "9.0"});
        }
        specs.push_back({"500*550", "S5", "0.5", "W5", "W5", "10.0"});
        ASSERT_NO_FATAL_FAILURE(t.writeSpecs(specs));
        engine = std::make_unique<SearchEngine>(t.dir());
    }

    static SelectionInputs target(std::string bow, std::string length = "28", int bowType = 0,
                                  int cam = 0) {
        SelectionInputs in;
        in.page = Page::Targ;
        in.bowWeight = std::move(bow);
        in.arrowLength = std::move(length);
        in.targBowType = bowType;
        in.wheelType = cam;
        return in;
    }
    const SearchOutcome& search(const SelectionInputs& in) { return engine->search(in); }
    // The size captions of the 14 slots ("" for an empty slot).
    static std::vector<std::string> sizes(const SearchOutcome& o) {
        std::vector<std::string> out;
        for (const RecommendationSlot& s : o.grid(Page::Targ)) {
            out.push_back(s.size.showCaption ? s.size.caption : "-");
        }
        return out;
    }

    SearchTables t;
    std::unique_ptr<SearchEngine> engine;
};

using Sizes = std::vector<std::string>;

TEST_F(TargetSearchTest, Layouts) {
    struct Case {
        const char* name;
        SelectionInputs in;
        int row;
        Sizes expected;
    };
    const Case cases[] = {
        {"compound normal",
         target("60"),
         13,
         {"100", "200", "300", "400", "500", "600", "700", "800", "900", "1000", "1100", "1200",
          "1300", "1400"}},
        {"row 11 at 26 is not short",
         target("60", "26"),
         11,
         {"100", "200", "300", "400", "500", "600", "700", "800", "900", "1000", "1100", "1200",
          "1300", "1400"}},
        {"compound short, row 10 at 25",
         target("60", "25"),
         10,
         {"500", "600", "700", "800", "900", "1000", "1100", "1200", "1300", "1400", "-", "-", "-",
          "-"}},
        {"row 8 at exactly 23 is short",
         target("60", "23"),
         8,
         {"500", "600", "700", "800", "900", "1000", "1100", "1200", "1300", "1400", "-", "-", "-",
          "-"}},
        {"row 8 at a typed 22 is not",
         target("61", "22"),
         8,
         {"100", "200", "300", "400", "500", "600", "700", "800", "900", "1000", "1100", "1200",
          "1300", "1400"}},
        {"compound short, entry 5 without a pair",
         target("60", "24"),
         9,
         {"500", "600", "700", "800", "900", "1000", "1100", "1200", "1300", "1400", "-", "-", "-",
          "-"}},
        {"recurve short, entry 5 without a pair",
         target("60", "24", 1),
         9,
         {"-", "600", "700", "800", "900", "1000", "1100", "1200", "1300", "1400", "-", "-", "-",
          "-"}},
        {"recurve short",
         target("60", "25", 1),
         10,
         {"550", "600", "700", "800", "900", "1000", "1100", "1200", "1300", "1400", "-", "-", "-",
          "-"}},
        {"recurve normal splits entries 1 to 4 only",
         target("60", "28", 1),
         13,
         {"150", "250", "350", "450", "500*550", "600", "700", "800", "900", "1000", "1100", "1200",
          "1300", "1400"}},
        {"compound row 15",
         target("60", "30"),
         15,
         {"100", "300", "400", "500", "600", "700", "800", "900", "1000", "1100", "1200", "1300",
          "-", "-"}},
        {"compound row 16",
         target("60", "31"),
         16,
         {"200", "300", "400", "500", "600", "700", "800", "900", "1000", "1100", "1200", "-", "-",
          "-"}},
        {"recurve row 15 uses the normal layout",
         target("60", "30", 1),
         15,
         {"150", "200", "300", "400", "500", "600", "700", "800", "900", "1000", "1100", "1200",
          "1300", "1400"}},
    };
    for (const Case& c : cases) {
        const SearchOutcome& o = search(c.in);
        ASSERT_FALSE(o.error) << c.name << ": " << *o.error;
        EXPECT_EQ(o.runs[0].row, c.row) << c.name;
        EXPECT_EQ(sizes(o), c.expected) << c.name;
        // An empty slot never leaves its size button enabled.
        for (const RecommendationSlot& s : o.grid(Page::Targ)) {
            EXPECT_EQ(s.size.enabled, s.size.showCaption) << c.name;
        }
    }
}

TEST_F(TargetSearchTest, CorrectionsAndBands) {
    struct Case {
        const char* name;
        SelectionInputs in;
        int corrected;
        std::optional<int> band;
    };
    const auto compound = [](std::string bow, std::string point, int release, int brace,
                             int overDraw, int cam) {
        SelectionInputs in = target(std::move(bow), "28", 0, cam);
        in.pointWeight = std::move(point);
        in.releaseType = release;
        in.braceHt = brace;
        in.overDraw = overDraw;
        return in;
    };
    const Case cases[] = {
        {"point 100", compound("60", "100", 0, 0, 0, 0), 60, 8},
        {"point 105", compound("60", "105", 0, 0, 0, 0), 63, 9},
        {"point 125", compound("60", "125", 0, 0, 0, 0), 63, 9},
        {"point 128", compound("60", "128", 0, 0, 0, 0), 60, 8},
        {"point 130", compound("60", "130", 0, 0, 0, 0), 66, 10},
        {"point 150", compound("60", "150", 0, 0, 0, 0), 66, 10},
        {"point 151", compound("60", "151", 0, 0, 0, 0), 60, 8},
        {"point 155", compound("60", "155", 0, 0, 0, 0), 69, 10},
        {"point 160", compound("60", "160", 0, 0, 0, 0), 69, 10},
        {"overdraw below 50", compound("49", "100", 0, 0, 5, 0), 49, 6},
        {"overdraw at 50", compound("50", "100", 0, 0, 5, 0), 62, 9},
        {"overdraw at 70", compound("70", "100", 0, 0, 1, 0), 71, 11},
        {"fingers and low brace", compound("60", "100", 1, 1, 0, 0), 70, 10},
        {"medium cam", compound("60", "100", 0, 0, 0, 1), 60, 7},
        {"soft cam", compound("60", "100", 0, 0, 0, 2), 60, 6},
        {"hard cam 28", compound("28", "100", 0, 0, 0, 0), 28, {}},
        {"hard cam 77", compound("77", "100", 0, 0, 0, 0), 77, {}},
        {"medium cam 83", compound("83", "100", 0, 0, 0, 1), 83, {}},
        {"soft cam 88", compound("88", "100", 0, 0, 0, 2), 88, 11},
        {"recurve ignores the set-up",
         [] {
             SelectionInputs in = target("17", "25", 1);
             in.pointWeight = "160";
             in.releaseType = 1;
             in.braceHt = 1;
             in.overDraw = 5;
             in.wheelType = 2;
             return in;
         }(),
         17, 1},
        {"recurve 80", target("80", "28", 1), 80, {}},
    };
    for (const Case& c : cases) {
        const SearchOutcome& o = search(c.in);
        ASSERT_FALSE(o.error) << c.name;
        EXPECT_EQ(o.runs[0].correctedWeight, c.corrected) << c.name;
        EXPECT_EQ(o.runs[0].band, c.band) << c.name;
        EXPECT_EQ(o.searchedPage, Page::Targ);
    }
    EXPECT_EQ(search(cases[19].in).runs[0].row, 3);
}

TEST_F(TargetSearchTest, RecurveGreysThePointWeightAndDisablesTheCompoundGroups) {
    const SearchOutcome& r = search(target("40", "28", 1));
    EXPECT_EQ(r.controls.pointWtSpin.font, TextColour::Grey);
    EXPECT_TRUE(r.controls.pointWtSpin.enabled);
    for (const ControlState* s :
         {&r.controls.braceHt, &r.controls.wheelType, &r.controls.releaseType, &r.controls.overDraw,
          &r.controls.upDown4}) {
        EXPECT_FALSE(s->enabled);
    }
    EXPECT_FALSE(r.controls.bowType.visible);
    EXPECT_FALSE(r.controls.huntCamType.visible);
    EXPECT_TRUE(r.controls.targBowType.visible);
    EXPECT_TRUE(r.controls.wheelType.visible);

    const SearchOutcome& c = search(target("40"));
    EXPECT_EQ(c.controls.pointWtSpin.font, TextColour::Black);
    EXPECT_TRUE(c.controls.braceHt.enabled);
    EXPECT_TRUE(c.controls.upDown4.enabled);
}

TEST_F(TargetSearchTest, InvalidSelectionEndsWithTheNestedGrid) {
    const SearchOutcome& o = search(target("29", "23", 0, 2));  // soft cam: band 1, row 1
    ASSERT_FALSE(o.error);
    ASSERT_EQ(o.runs.size(), 2U);
    EXPECT_EQ(o.runs[0].row, 1);
    EXPECT_EQ(o.runs[0].resetTo, "60");
    EXPECT_EQ(o.runs[1].band, 6);
    EXPECT_EQ(o.runs[1].row, 6);
    EXPECT_EQ(o.inputs.bowWeight, "60");
    // The grid matches the weight on screen, not an empty list.
    EXPECT_EQ(sizes(o)[0], "100");

    for (const SelectionInputs& in : {target("28"), target("77"), target("80", "28", 1)}) {
        const SearchOutcome& n = search(in);
        EXPECT_EQ(n.runs.size(), 2U);
        EXPECT_EQ(n.messages.size(), 1U);
        EXPECT_TRUE(n.runs[1].valid);
    }
}

TEST_F(TargetSearchTest, InvalidSelectionAtSixtyShowsAnEmptyGrid) {
    search(target("60"));
    const SearchOutcome& o = search(target("60", "40"));  // row 25
    ASSERT_EQ(o.runs.size(), 1U);
    EXPECT_EQ(o.runs[0].resetTo, "60");
    EXPECT_EQ(sizes(o), Sizes(14, "-"));
}

TEST_F(TargetSearchTest, TwoValueWeightsOnlyInSlotsSevenToFourteen) {
    const SearchOutcome& normal = search(target("60", "30", 0, 1));  // medium cam: band 7, row 14
    ASSERT_FALSE(normal.error);
    EXPECT_EQ(normal.runs[0].row, 14);
    const RecommendationSlot& seven = normal.grid(Page::Targ)[6];
    EXPECT_EQ(seven.models.caption, "ZP,M4");
    EXPECT_EQ(seven.weight.caption, "240,270");
    EXPECT_TRUE(normal.dataErrors.empty());

    const SearchOutcome& shifted = search(target("60", "25"));  // entry 7 in slot 3
    ASSERT_FALSE(shifted.error);
    ASSERT_EQ(shifted.dataErrors.size(), 1U);
    EXPECT_NE(shifted.dataErrors[0].find("700S7"), std::string::npos);
    const RecommendationSlot& three = shifted.grid(Page::Targ)[2];
    EXPECT_EQ(three.size.caption, "700");
    EXPECT_EQ(three.weight.caption, "");
    EXPECT_EQ(three.models.caption, "");
    EXPECT_EQ(shifted.grid(Page::Targ)[3].weight.caption, "200");  // 8.0 x 25
}

TEST_F(TargetSearchTest, HiddenSpineLabelsKeepTheirTextInEmptySlots) {
    search(target("60"));
    EXPECT_EQ(engine->targetSpineLabels()[11], "S12");
    const SearchOutcome& o = search(target("60", "31"));  // row 16: entries 2 to 12
    EXPECT_EQ(o.targetSpineLabels[0], "S2");
    EXPECT_EQ(o.targetSpineLabels[10], "S12");
    EXPECT_EQ(o.targetSpineLabels[11], "S12");  // slot 12 is empty: kept from row 13
    EXPECT_EQ(o.targetSpineLabels[13], "S14");
    EXPECT_EQ(o.detailRequest(Page::Targ, 1)->key, o.grid(Page::Targ)[0].size.caption + "S2");
    EXPECT_EQ(o.detailRequest(Page::Targ, 12)->key, "S12");  // empty slot: the kept label
}

TEST_F(TargetSearchTest, IncompleteTextsBlockTheSearch) {
    search(target("60"));
    const auto grid = engine->current().grid(Page::Targ);
    const SearchOutcome& o = search(target("60", "100"));
    EXPECT_FALSE(o.searched);
    EXPECT_EQ(o.grid(Page::Targ), grid);
}

}  // namespace
}  // namespace quivra::selection
