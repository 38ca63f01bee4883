// The Hunting page: corrections, bands, rows, the invalid-selection path and
// the 16 slots with carbon entries, two-value weights and cut sizes.
#include "SearchEngine.h"
#include "SearchTables.h"

#include <gtest/gtest.h>

#include <memory>

namespace quivra::selection {
namespace {

using test::ChartRows;
using test::SearchTables;
using test::SpecRow;

constexpr const char* kCarbonSize = "Click Details Button for Carbon Specs";
constexpr const char* kCarbonWeight = "Click to See Carbon Sizes & Details";

class HuntSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ChartRows rows;
        for (int r = 2; r <= 20; ++r) rows[r] = {{"2312", "AL"}};
        rows[11] = {{"2213", "AL"}};
        rows[12] = {{"2213", "AL"}};
        rows[13] = {
            {"2213", "M4"}, {"2213 note", "AL"}, {"400", "caw"}, {"2312", "AL"}, {"2213", "M4"},
            {"", ""},       {"2213 A", "AL"},    {"", ""},       {"600", "caw"}, {"500", "caw"},
            {"", ""},       {"400", "CB"}};
        rows[14] = {{"2312", "AL"}, {"2312", "AL"}, {"2312", "AL"}, {"2312", "AL"}, {"2312", "AL"}};
        rows[15] = {{"2312", "AL"}, {"", ""}, {"2213", "AL"}, {"", ""},       {"", ""},
                    {"", ""},       {"", ""}, {"", ""},       {"2312", "AL"}, {"2312", "AL"}};
        rows[10] = {{"9999", "ZZ"}, {"2312", "AL"}};
        ASSERT_NO_FATAL_FAILURE(t.writeChart(Page::Hunt, rows));
        ASSERT_NO_FATAL_FAILURE(t.writeSpecs({
            {"2213", "M4", "0.500", "KV,M4", "ZP,M4", "9.30,9.50"},
            {"2213", "AL", "0.600", "AL", "AL", "8.5"},
            {"2312", "AL", "0.550", "AL", "AL", "9.3"},
            {"2213 A", "AL", "0.610", "AL", "AL", "8.0"},
            {"400", "CB", "0.400", "CB", "CB", "8.0"},
        }));
        engine = std::make_unique<SearchEngine>(t.dir());
    }

    const SearchOutcome& search(const SelectionInputs& in) { return engine->search(in); }
    static SelectionInputs inputs(std::string bow, std::string length = "30",
                                  std::string point = "100") {
        SelectionInputs in;
        in.bowWeight = std::move(bow);
        in.arrowLength = std::move(length);
        in.pointWeight = std::move(point);
        return in;
    }
    static const RecommendationSlot& slot(const SearchOutcome& o, int n) {
        return o.grid(Page::Hunt)[static_cast<std::size_t>(n - 1)];
    }

    SearchTables t;
    std::unique_ptr<SearchEngine> engine;
};

struct RowCase {
    const char* name;
    SelectionInputs in;
    int corrected;
    int band;
    int row;
};

SelectionInputs with(std::string bow, std::string length, std::string point, int bowType, int cam,
                     int release, int brace, int overDraw) {
    SelectionInputs in;
    in.bowWeight = std::move(bow);
    in.arrowLength = std::move(length);
    in.pointWeight = std::move(point);
    in.bowType = bowType;
    in.huntCamType = cam;
    in.releaseType = release;
    in.braceHt = brace;
    in.overDraw = overDraw;
    return in;
}

TEST_F(HuntSearchTest, CorrectionsBandsAndRows) {
    const RowCase cases[] = {
        {"compound defaults", with("60", "30", "100", 0, 0, 0, 0, 0), 60, 6, 13},
        {"fingers, low brace", with("60", "30", "100", 0, 0, 1, 1, 0), 70, 8, 15},
        {"plus 2 inch overdraw", with("60", "30", "100", 0, 0, 1, 1, 2), 73, 9, 16},
        {"overdraw above 70 ignored", with("66", "30", "100", 0, 0, 1, 1, 5), 76, 9, 16},
        {"overdraw at 50", with("50", "30", "100", 0, 0, 0, 0, 5), 62, 7, 14},
        {"overdraw below 50", with("49", "30", "100", 0, 0, 0, 0, 5), 49, 4, 11},
        {"point 125", with("60", "30", "125", 0, 0, 0, 0, 0), 63, 7, 14},
        {"point 126", with("60", "30", "126", 0, 0, 0, 0, 0), 60, 6, 13},
        {"point 130", with("60", "30", "130", 0, 0, 0, 0, 0), 66, 7, 14},
        {"point 155", with("60", "30", "155", 0, 0, 0, 0, 0), 66, 7, 14},
        {"point 160", with("60", "30", "160", 0, 0, 0, 0, 0), 69, 8, 15},
        {"point 186", with("60", "30", "186", 0, 0, 0, 0, 0), 60, 6, 13},
        {"medium cam", with("60", "30", "100", 0, 1, 0, 0, 0), 60, 5, 12},
        {"recurve ignores set-up", with("45", "28", "80", 1, 1, 1, 1, 5), 42, 3, 8},
        {"recurve point 115", with("45", "28", "115", 1, 0, 0, 0, 0), 48, 4, 9},
        {"recurve point 100", with("45", "28", "100", 1, 0, 0, 0, 0), 45, 3, 8},
        {"longbow", with("50", "29", "125", 2, 0, 1, 1, 3), 53, 3, 7},
        {"longbow point 155", with("50", "29", "155", 2, 0, 0, 0, 0), 59, 4, 8},
    };
    for (const RowCase& c : cases) {
        const SearchOutcome& o = search(c.in);
        ASSERT_FALSE(o.error) << c.name << ": " << *o.error;
        ASSERT_EQ(o.runs.size(), 1U) << c.name;
        EXPECT_EQ(o.runs[0].correctedWeight, c.corrected) << c.name;
        EXPECT_EQ(o.runs[0].band, c.band) << c.name;
        EXPECT_EQ(o.runs[0].row, c.row) << c.name;
        EXPECT_TRUE(o.runs[0].valid) << c.name;
        EXPECT_TRUE(o.messages.empty()) << c.name;
        EXPECT_EQ(o.searchedPage, Page::Hunt);
    }
}

TEST_F(HuntSearchTest, RecurveAndLongbowDisableTheCompoundGroups) {
    const SearchOutcome& o = search(with("45", "28", "80", 1, 0, 1, 1, 5));
    EXPECT_FALSE(o.controls.huntCamType.enabled);
    EXPECT_FALSE(o.controls.releaseType.enabled);
    EXPECT_FALSE(o.controls.braceHt.enabled);
    EXPECT_FALSE(o.controls.overDraw.enabled);
    EXPECT_TRUE(o.controls.bowType.enabled);
    const SearchOutcome& back = search(inputs("60"));
    EXPECT_TRUE(back.controls.huntCamType.enabled);
    EXPECT_TRUE(back.controls.braceHt.enabled);
    EXPECT_FALSE(back.controls.wheelType.visible);
    EXPECT_FALSE(back.controls.targBowType.visible);
}

TEST_F(HuntSearchTest, InvalidRowWithUnchangedResetShowsAnEmptyGrid) {
    search(inputs("60"));  // leaves the chart on row 13
    const SearchOutcome& o = search(inputs("32", "23"));
    ASSERT_FALSE(o.error);
    ASSERT_EQ(o.runs.size(), 1U);
    EXPECT_EQ(o.runs[0].band, 1);
    EXPECT_EQ(o.runs[0].row, 1);
    EXPECT_FALSE(o.runs[0].valid);
    EXPECT_EQ(o.runs[0].resetTo, "32");
    EXPECT_EQ(o.messages, std::vector<std::string>{test::kMessage});
    EXPECT_EQ(o.inputs.bowWeight, "32");
    // No stale row 13: every slot is empty.
    for (const RecommendationSlot& s : o.grid(Page::Hunt)) {
        EXPECT_FALSE(s.size.showCaption);
        EXPECT_FALSE(s.size.enabled);
        EXPECT_EQ(s.size.caption, "");
    }
}

TEST_F(HuntSearchTest, HeavyWeightIsPulledBackByANestedSearch) {
    const SearchOutcome& o = search(inputs("100"));
    ASSERT_FALSE(o.error);
    ASSERT_EQ(o.runs.size(), 2U);
    EXPECT_FALSE(o.runs[0].band);
    EXPECT_FALSE(o.runs[0].row);
    EXPECT_EQ(o.runs[0].resetTo, "96");
    EXPECT_EQ(o.runs[1].weightText, "96");
    EXPECT_EQ(o.runs[1].band, 12);
    EXPECT_EQ(o.runs[1].row, 19);
    EXPECT_TRUE(o.runs[1].valid);
    EXPECT_EQ(o.messages.size(), 1U);
    EXPECT_EQ(o.inputs.bowWeight, "96");
    EXPECT_EQ(slot(o, 1).size.caption, "2312");
    EXPECT_TRUE(slot(o, 1).size.showCaption);
}

TEST_F(HuntSearchTest, ResetTextsPerColumn) {
    struct Case {
        SelectionInputs in;
        const char* reset;
        std::size_t runs;
    };
    const Case cases[] = {
        {with("96", "33", "100", 0, 0, 0, 0, 0), "96", 1},    // band 12, row 22
        {with("30", "30", "100", 1, 0, 0, 0, 0), "32", 2},    // recurve, no band
        {with("20", "30", "100", 2, 0, 0, 0, 0), "38", 2},    // longbow, no band
        {with("110", "30", "100", 0, 1, 0, 0, 0), "102", 2},  // medium cam
        {with("60", "30", "100", 0, -1, 0, 0, 0), "96", 2},   // no cam: no band, twice
    };
    for (const Case& c : cases) {
        const SearchOutcome& o = search(c.in);
        ASSERT_FALSE(o.error);
        EXPECT_EQ(o.runs.front().resetTo, c.reset) << c.in.bowWeight;
        EXPECT_EQ(o.runs.size(), c.runs) << c.in.bowWeight;
    }
}

TEST_F(HuntSearchTest, SlotsOfARow) {
    const SearchOutcome& o = search(inputs("60"));
    ASSERT_FALSE(o.error);
    ASSERT_TRUE(o.gridFilled);
    // Slot 1: two-value weight of a "KV,M4" shaft.
    EXPECT_EQ(slot(o, 1).size.caption, "2213");
    EXPECT_EQ(slot(o, 1).models.caption, "KV,M4");
    EXPECT_EQ(slot(o, 1).weight.caption, "279,285");
    EXPECT_EQ(slot(o, 1).spine.caption.substr(0, 5), "0.500");
    // Slot 2: the size is cut at its first blank, and so is the key.
    EXPECT_EQ(slot(o, 2).size.caption, "2213");
    EXPECT_EQ(slot(o, 2).weight.caption, "255");
    // Slot 3: carbon entry.
    const RecommendationSlot& carbon = slot(o, 3);
    EXPECT_EQ(carbon.size.caption, "400");
    EXPECT_FALSE(carbon.size.enabled);
    EXPECT_EQ(carbon.size.hint, kCarbonSize);
    EXPECT_EQ(carbon.spine.caption, "0.400");
    EXPECT_EQ(carbon.models.caption, "Carbon");
    EXPECT_EQ(carbon.weight.caption, "Details");
    EXPECT_TRUE(carbon.weight.enabled);
    EXPECT_EQ(carbon.weight.hint, kCarbonWeight);
    // Slot 4: ordinary, weight button disabled.
    EXPECT_EQ(slot(o, 4).weight.caption, "279");
    EXPECT_FALSE(slot(o, 4).weight.enabled);
    EXPECT_TRUE(slot(o, 4).size.enabled);
    // Slot 6: empty.
    EXPECT_FALSE(slot(o, 6).size.showCaption);
    EXPECT_FALSE(slot(o, 6).weight.showCaption);
    EXPECT_FALSE(slot(o, 6).size.enabled);
    // Slot 7: the whole size text, blank included, is shown and sought.
    EXPECT_EQ(slot(o, 7).size.caption, "2213 A");
    EXPECT_EQ(slot(o, 7).weight.caption, "240");
    // Slot 12 (carbon panel): an ordinary shaft, never a carbon entry.
    EXPECT_EQ(slot(o, 12).models.caption, "CB");
    EXPECT_EQ(slot(o, 12).weight.caption, "240");
    EXPECT_TRUE(slot(o, 12).size.enabled);
}

TEST_F(HuntSearchTest, TwoValueGpiOutsideSlotsOneToFourIsReportedNotFatal) {
    const SearchOutcome& o = search(inputs("60"));
    ASSERT_FALSE(o.error);
    ASSERT_EQ(o.dataErrors.size(), 1U);
    EXPECT_NE(o.dataErrors[0].find("Specs.DBF"), std::string::npos);
    EXPECT_NE(o.dataErrors[0].find("2213M4"), std::string::npos);
    EXPECT_NE(o.dataErrors[0].find("'9.30,9.50' is not a valid floating point value"),
              std::string::npos);
    EXPECT_EQ(slot(o, 5).size.caption, "2213");
    EXPECT_TRUE(slot(o, 5).size.showCaption);
    EXPECT_EQ(slot(o, 5).spine.caption, "");
    EXPECT_EQ(slot(o, 5).models.caption, "");
    EXPECT_EQ(slot(o, 5).weight.caption, "");
    // The slots after the faulty one are filled normally.
    EXPECT_EQ(slot(o, 7).weight.caption, "240");
}

TEST_F(HuntSearchTest, MissingSpecificationKeyIsNamedAndTheOtherSlotsFilled) {
    search(inputs("60"));  // captions in every slot of row 13
    const SearchOutcome& o = search(inputs("60", "27"));
    ASSERT_FALSE(o.error);
    EXPECT_EQ(o.runs[0].row, 10);
    ASSERT_EQ(o.dataErrors.size(), 1U);
    EXPECT_EQ(o.dataErrors[0], "The key '9999ZZ' is not in Specs.DBF.");
    EXPECT_EQ(slot(o, 1).size.caption, "9999");
    EXPECT_EQ(slot(o, 1).spine.caption, "");
    EXPECT_EQ(slot(o, 1).models.caption, "");
    EXPECT_EQ(slot(o, 1).weight.caption, "");
    EXPECT_EQ(slot(o, 2).weight.caption, "251");  // 9.3 x 27 = 251.1
    EXPECT_FALSE(slot(o, 3).size.showCaption);
    // Every search that meets the key says so again.
    EXPECT_EQ(search(inputs("60", "27")).dataErrors.size(), 1U);
}

TEST_F(HuntSearchTest, CarbonEntryTurnsBackIntoAnOrdinarySlot) {
    search(inputs("60"));
    const SearchOutcome& o = search(with("60", "30", "100", 0, 0, 1, 1, 0));  // row 15
    ASSERT_FALSE(o.error);
    EXPECT_EQ(o.runs[0].row, 15);
    for (const int n : {3, 9, 10}) {
        EXPECT_FALSE(slot(o, n).weight.enabled) << n;
        EXPECT_NE(slot(o, n).weight.caption, "Details") << n;
        EXPECT_TRUE(slot(o, n).size.enabled) << n;
        EXPECT_NE(slot(o, n).models.caption, "Carbon") << n;
    }
    // The common reset restores the hints of slots 3 to 8 but never those of
    // HSzBtn9, HWtBtn9 and HWtBtn10.
    EXPECT_EQ(slot(o, 3).size.hint, "Click for Weight Calculation");
    EXPECT_EQ(slot(o, 3).weight.hint, "Bare Shaft Weight in Grains");
    EXPECT_EQ(slot(o, 9).size.hint, kCarbonSize);
    EXPECT_EQ(slot(o, 9).weight.hint, kCarbonWeight);
    EXPECT_EQ(slot(o, 10).weight.hint, kCarbonWeight);
    EXPECT_EQ(slot(o, 10).size.hint, "Click for Weight Calculation");
}

TEST_F(HuntSearchTest, EmptiedSlotsComeBackOnAFullerRow) {
    const SearchOutcome& few = search(inputs("62"));  // row 14: entries 1 to 5
    EXPECT_EQ(few.runs[0].row, 14);
    for (int n = 6; n <= 16; ++n) EXPECT_FALSE(slot(few, n).size.showCaption) << n;
    const SearchOutcome& full = search(inputs("60"));
    EXPECT_TRUE(slot(full, 7).size.showCaption);
    EXPECT_TRUE(slot(full, 7).size.enabled);
    EXPECT_EQ(slot(full, 7).size.caption, "2213 A");
}

TEST_F(HuntSearchTest, WeightCaptionRoundsHalfUp) {
    EXPECT_EQ(slot(search(inputs("60", "28")), 1).weight.caption, "238");
    EXPECT_EQ(slot(search(inputs("60", "29")), 1).weight.caption, "247");
}

TEST_F(HuntSearchTest, IncompleteTextsLeaveTheGridAlone) {
    const SearchOutcome& first = search(inputs("60"));
    const auto grid = first.grid(Page::Hunt);
    const auto controls = first.controls;
    for (const SelectionInputs& in : {inputs("6"), inputs("", "30"), inputs("60", "9"),
                                      inputs("60", "100"), inputs("60", "30", "5")}) {
        const SearchOutcome& o = search(in);
        EXPECT_FALSE(o.searched);
        EXPECT_FALSE(o.error);
        EXPECT_FALSE(o.commonReset);
        EXPECT_FALSE(o.gridFilled);
        EXPECT_TRUE(o.runs.size() == 1U && !o.runs[0].correctedWeight);
        EXPECT_EQ(o.grid(Page::Hunt), grid);
        EXPECT_EQ(o.controls, controls);
    }
    EXPECT_TRUE(search(inputs("61")).searched);  // the second digit runs the search
}

// An unfinished number on the Hunting page, then the Youth page, then back:
// the Hunting fields and groups come back although no search runs, and an
// empty slot's size button stays unclickable on every page.
TEST_F(HuntSearchTest, IncompleteNumbersStillShowThePagesFieldsAndGroups) {
    SelectionInputs in = inputs("6");
    in.page = Page::Youth;
    const SearchOutcome& youth = search(in);  // this folder has no youth chart
    ASSERT_FALSE(youth.controls.bowWeightSpin.visible);
    ASSERT_FALSE(youth.controls.pointWtSpin.enabled);

    in.page = Page::Hunt;
    const SearchOutcome& back = search(in);
    EXPECT_FALSE(back.searched);
    EXPECT_TRUE(back.controls.bowWeightSpin.visible);
    EXPECT_FALSE(back.controls.youthBowWtSpin.visible);
    // The same controls as the finished number will give.
    const SetupControls incomplete = back.controls;
    EXPECT_EQ(search(inputs("60")).controls, incomplete);

    in.bowType = 1;  // a recurve: its groups follow at once
    const SetupControls& recurve = search(in).controls;
    EXPECT_FALSE(recurve.huntCamType.enabled);
    EXPECT_FALSE(recurve.overDraw.enabled);
    EXPECT_TRUE(recurve.bowType.enabled);
    EXPECT_TRUE(recurve.pointWtSpin.enabled);
}

TEST_F(HuntSearchTest, AnEmptySlotsSizeButtonIsNeverEnabled) {
    const auto check = [](const SearchOutcome& o) {
        for (const Page page : {Page::Hunt, Page::Targ, Page::Youth, Page::Kstr}) {
            for (const RecommendationSlot& s : o.grid(page)) {
                if (s.size.caption.empty()) {
                    EXPECT_FALSE(s.size.enabled) << pageKey(page);
                }
            }
        }
    };
    check(engine->current());     // before any search
    check(search(inputs("60")));  // the reset enables every page's size buttons
    ASSERT_FALSE(slot(engine->current(), 1).size.caption.empty());
    EXPECT_TRUE(slot(engine->current(), 1).size.enabled);
    check(search(inputs("6")));
}

TEST_F(HuntSearchTest, ConversionErrors) {
    const SearchOutcome& first = search(inputs("60"));
    const auto grids = first.grids;
    const SearchOutcome& bad = search(inputs("6x"));
    ASSERT_TRUE(bad.error);
    EXPECT_EQ(*bad.error, "'6x' is not a valid integer value");
    EXPECT_FALSE(bad.commonReset);
    EXPECT_EQ(bad.grids, grids);  // nothing was reset

    EXPECT_EQ(search(inputs("60", "3x")).error, "'3x' is not a valid integer value");
    EXPECT_EQ(search(inputs("60", "30", "10.5")).error, "'10.5' is not a valid integer value");
    EXPECT_EQ(search(inputs(" 60", "30", "100")).error, std::nullopt);
}

TEST_F(HuntSearchTest, UnknownPageChangesNothing) {
    const auto grids = search(inputs("60")).grids;
    SelectionInputs in = inputs("60");
    in.page = static_cast<Page>(7);
    const SearchOutcome& o = search(in);
    EXPECT_TRUE(o.error);
    EXPECT_TRUE(o.runs.empty());
    EXPECT_EQ(o.grids, grids);
}

TEST_F(HuntSearchTest, ExtremeNumbersDoNotOverflow) {
    const SearchOutcome& o = search(with("2147483647", "30", "160", 0, 0, 1, 1, 5));
    ASSERT_FALSE(o.error);
    EXPECT_EQ(o.runs[0].correctedWeight, std::int64_t{2147483647} + 19);
    EXPECT_FALSE(o.runs[0].band);
    EXPECT_EQ(o.runs[0].resetTo, "96");
    EXPECT_EQ(search(inputs("-2147483648")).runs[0].resetTo, "32");
}

TEST_F(HuntSearchTest, MissingMessageFileEndsTheSearchBeforeTheReset) {
    t.removeMessage();
    const SearchOutcome& o = search(inputs("100"));
    ASSERT_TRUE(o.error);
    EXPECT_NE(o.error->find("File not found"), std::string::npos);
    EXPECT_NE(o.error->find("invsel.txt"), std::string::npos);
    EXPECT_TRUE(o.messages.empty());
    EXPECT_EQ(o.inputs.bowWeight, "100");
}

TEST_F(HuntSearchTest, DetailRequestCarriesTheKeyOfTheSelectedRecord) {
    EXPECT_FALSE(engine->current().detailRequest(Page::Hunt, 1));  // no chart read yet
    const SearchOutcome& o = search(inputs("60"));
    const auto slot12 = o.detailRequest(Page::Hunt, 12);
    ASSERT_TRUE(slot12);
    EXPECT_EQ(slot12->page, Page::Hunt);
    EXPECT_EQ(slot12->sizeCaption, o.grid(Page::Hunt)[11].size.caption);
    EXPECT_EQ(slot12->key, slot12->sizeCaption + "CB");
    EXPECT_EQ(slot12->modelsCaption, o.grid(Page::Hunt)[11].models.caption);
    EXPECT_EQ(o.detailRequest(Page::Hunt, 2)->key, o.grid(Page::Hunt)[1].size.caption + "AL");
    EXPECT_FALSE(o.detailRequest(Page::Hunt, 17));
    EXPECT_FALSE(o.detailRequest(Page::Hunt, 0));
}

}  // namespace
}  // namespace quivra::selection
