// Inputs -> stored codes -> restored set-up, and the header decoding tables.
#include "Clock.h"
#include "DateText.h"
#include "SetupCodes.h"
#include "SetupHeader.h"

#include <gtest/gtest.h>

namespace quivra::customers {
namespace {

using core::Page;
using selection::SelectionInputs;

SelectionInputs sampleInputs() {
    SelectionInputs in;
    in.bowWeight = "62";
    in.arrowLength = "29";
    in.pointWeight = "125";
    in.youthBowWeight = "24";
    in.youthArrowLength = "23";
    in.bowType = 2;      // modern longbow
    in.targBowType = 1;  // recurve
    in.wheelType = 2;    // soft cam: stored from the target and youth pages
    in.huntCamType = 1;  // medium cam: stored from the hunting and Kestra pages
    in.releaseType = 1;
    in.braceHt = 1;
    in.overDraw = 3;
    return in;
}

struct EncodeCase {
    const char* name;
    const char* pageKey;
    SetupCodes expected;
};

class EncodeTest : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTest, StoresCategoryInputsAndGroupIndexes) {
    EXPECT_EQ(encodeSetup(sampleInputs(), core::pageFromKey(GetParam().pageKey)),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, EncodeTest,
    ::testing::Values(
        // Hunting: BOTYP from BowType; WHTYP is the cam group the search
        // used (HuntCamType), not the hidden three-item wheel group.
        EncodeCase{"Hunt", "Hunt", {"0", "62", "29", "125", "2", "1", "1", "1", "3"}},
        // Target and Kestra take the bow type from TargBowType; Target bands
        // by WheelType, Kestra by HuntCamType.
        EncodeCase{"Targ", "Targ", {"1", "62", "29", "125", "1", "2", "1", "1", "3"}},
        EncodeCase{"Kstr", "Kstr", {"2", "62", "29", "125", "1", "1", "1", "1", "3"}},
        // Youth stores the inputs that page searches with, under category 3.
        EncodeCase{"Youth", "Youth", {"3", "24", "23", "125", "2", "2", "1", "1", "3"}},
        // No search has run yet: no category, the adult inputs.
        EncodeCase{"NoKey", "", {"", "62", "29", "125", "2", "2", "1", "1", "3"}}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(RestoreTest, EverySavedPageComesBackWithItsInputs) {
    const std::pair<const char*, Page> pages[] = {
        {"Hunt", Page::Hunt}, {"Targ", Page::Targ}, {"Youth", Page::Youth}, {"Kstr", Page::Kstr}};
    for (const auto& [key, page] : pages) {
        SCOPED_TRACE(key);
        const SelectionInputs in = sampleInputs();
        const auto restored = restoreSetup(encodeSetup(in, page));
        ASSERT_TRUE(restored.isOk());
        EXPECT_EQ(restored->page, page);
        EXPECT_EQ(restored->pointWeight, in.pointWeight);
        const bool huntingCam = page == Page::Hunt || page == Page::Kstr;
        EXPECT_EQ(restored->huntCamType,
                  huntingCam ? std::optional<int>(in.huntCamType) : std::nullopt);
        EXPECT_EQ(restored->wheelType, huntingCam ? in.huntCamType : in.wheelType);
        EXPECT_EQ(restored->releaseType, in.releaseType);
        EXPECT_EQ(restored->braceHt, in.braceHt);
        EXPECT_EQ(restored->overDraw, in.overDraw);
    }
}

TEST(RestoreTest, HuntingCamOutsideItsGroupLeavesTheGroupAlone) {
    // A hunting record of the soft cam (saved when WHTYP held the wheel group).
    const auto soft = restoreSetup({"0", "60", "30", "100", "0", "2", "0", "0", "0"});
    ASSERT_TRUE(soft.isOk());
    EXPECT_FALSE(soft->huntCamType);
    EXPECT_EQ(soft->wheelType, 2);
    const auto blank = restoreSetup({"2", "60", "30", "100", "0", " ", "0", "0", "0"});
    ASSERT_TRUE(blank.isOk());
    EXPECT_FALSE(blank->huntCamType);
    // A target record never touches the hunting group.
    EXPECT_FALSE(restoreSetup({"1", "60", "30", "100", "0", "1", "0", "0", "0"})->huntCamType);
}

TEST(RestoreTest, YouthRecordRestoresTheYouthInputsOnly) {
    const auto r = restoreSetup({"3", "24", "23", "100", "0", "0", "0", "0", "0"});
    ASSERT_TRUE(r.isOk());
    EXPECT_EQ(r->page, Page::Youth);
    EXPECT_EQ(r->youthBowWeight, "24");
    EXPECT_EQ(r->youthArrowLength, "23");
    EXPECT_FALSE(r->bowWeight);
    EXPECT_FALSE(r->arrowLength);
}

TEST(RestoreTest, EmptyOrUnknownCategoryKeepsThePageAndRestoresAdultInputs) {
    for (const char* hort : {"", " ", "7", "x"}) {
        SCOPED_TRACE(hort);
        const auto r = restoreSetup({hort, "55", "28", "100", "0", "0", "0", "0", "0"});
        ASSERT_TRUE(r.isOk());
        EXPECT_FALSE(r->page);
        EXPECT_EQ(r->bowWeight, "55");
        EXPECT_EQ(r->arrowLength, "28");
        EXPECT_FALSE(r->youthBowWeight);
    }
}

struct ClampCase {
    const char* name;
    const char* code;
    std::optional<int> bowType, targBowType, overDraw;
};

class ClampTest : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ClampTest, CodeBeyondAGroupSelectsItsLastItem) {
    const ClampCase& c = GetParam();
    const auto r = restoreSetup({"0", "60", "30", "100", c.code, c.code, c.code, c.code, c.code});
    ASSERT_TRUE(r.isOk());
    EXPECT_EQ(r->bowType, c.bowType);
    EXPECT_EQ(r->targBowType, c.targBowType);
    EXPECT_EQ(r->overDraw, c.overDraw);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ClampTest,
    ::testing::Values(ClampCase{"Compound", "0", 0, 0, 0}, ClampCase{"Recurve", "1", 1, 1, 1},
                      // longbow: recurve in the two-item target group
                      ClampCase{"Longbow", "2", 2, 1, 2}, ClampCase{"Five", "5", 2, 1, 5},
                      ClampCase{"Huge", "99", 2, 1, 5}, ClampCase{"Negative", "-1", 0, 0, 0},
                      ClampCase{"Blank", " ", std::nullopt, std::nullopt, std::nullopt}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(RestoreTest, NonNumericSelectionCodeRestoresNothing) {
    const auto r = restoreSetup({"0", "60", "30", "100", "0", "0", "A", "0", "0"});
    ASSERT_FALSE(r.isOk());
    EXPECT_EQ(r.status().message(), "'A' is not a valid integer value");
}

TEST(RestoreTest, StoredTextsAreTrimmedOfFieldPadding) {
    const auto r = restoreSetup({"1  ", "60   ", "30   ", "100  ", "1", "0", "0", "0", "0"});
    ASSERT_TRUE(r.isOk());
    EXPECT_EQ(r->page, Page::Targ);
    EXPECT_EQ(r->bowWeight, "60");
    EXPECT_EQ(r->pointWeight, "100");
}

// --- header panel ---------------------------------------------------------------

TEST(SaveHeaderTest, CompoundOnTheHuntingPageShowsEveryLine) {
    SelectionInputs in;
    in.overDraw = 3;
    in.braceHt = 1;
    in.huntCamType = 1;
    in.wheelType = 2;
    const HeaderTexts h = saveHeader(in, Page::Hunt);
    EXPECT_EQ(h, (HeaderTexts{"60#", "30\"", "100gr", "Hunting Shafts", "Compound", "Medium Cam",
                              "Mechanical", "Under 6.5\"", "3\""}));
    // The save window and the retrieval window name the same cam.
    EXPECT_EQ(recordHeader(encodeSetup(in, Page::Hunt)).wheelType, "Medium Cam");
    EXPECT_EQ(saveHeader(in, Page::Kstr).wheelType, "Medium Cam");
    EXPECT_EQ(saveHeader(in, Page::Targ).wheelType, "Soft");
}

TEST(SaveHeaderTest, TargetRecurveShowsNotApplicableWhateverBowTypeHolds) {
    SelectionInputs in;
    in.bowType = 0;
    in.targBowType = 1;
    const HeaderTexts h = saveHeader(in, Page::Targ);
    EXPECT_EQ(h.category, "Target Shafts");
    EXPECT_EQ(h.bowType, "Recurve");
    EXPECT_EQ(h.wheelType, "N/A");
    EXPECT_EQ(h.release, "N/A");
    EXPECT_EQ(h.braceHeight, "N/A");
    EXPECT_EQ(h.overDraw, "N/A");
}

TEST(SaveHeaderTest, HuntingLongbowAndYouthPage) {
    SelectionInputs in;
    in.bowType = 2;
    EXPECT_EQ(saveHeader(in, Page::Hunt).bowType, "Longbow");
    EXPECT_EQ(saveHeader(in, Page::Hunt).overDraw, "N/A");
    const HeaderTexts youth = saveHeader(in, Page::Youth);
    EXPECT_EQ(youth.category, "Youth Shafts");
    EXPECT_EQ(youth.bowWeight, "30#");  // the youth bow weight that is stored
    EXPECT_EQ(youth.arrowLength, "25\"");
    EXPECT_EQ(saveHeader(in, std::nullopt).category, "");
}

TEST(RecordHeaderTest, DecodesEveryLineForEveryBowType) {
    const HeaderTexts h = recordHeader({"2", "45 ", "28 ", "85 ", "1", "2", "1", "0", "5"});
    EXPECT_EQ(h, (HeaderTexts{"45#", "28\"", "85Gr", "Kestra Shafts", "Recurve", "Soft", "Fingers",
                              "Over 6.5\"", "5\""}));
}

TEST(RecordHeaderTest, CodesOutsideTheTablesShowEmptyLabels) {
    const HeaderTexts h = recordHeader({"9", "60", "30", "100", "3", "3", "2", "2", "6"});
    EXPECT_EQ(h.category, "");
    EXPECT_EQ(h.bowType, "");
    EXPECT_EQ(h.wheelType, "");
    EXPECT_EQ(h.release, "");
    EXPECT_EQ(h.braceHeight, "");
    EXPECT_EQ(h.overDraw, "");
    const HeaderTexts blank = recordHeader({"", "", "", "", "", "x", "", "", ""});
    EXPECT_EQ(blank.category, "");
    EXPECT_EQ(blank.wheelType, "");
    EXPECT_EQ(blank.bowWeight, "#");
}

TEST(DateTextTest, FixedFormatWhateverTheLocale) {
    using namespace std::chrono;
    EXPECT_EQ(shortDateText(year{2026} / March / day{7}), "03/07/2026");
    EXPECT_EQ(shortDateText(year{2026} / December / day{31}), "12/31/2026");
    EXPECT_EQ(dateFieldText(year{2026} / March / day{7}), "20260307");
    EXPECT_EQ(shortDateText(year{2026} / February / day{30}), "");
    const core::FixedClock clock({.date = year{2027} / January / day{2}});
    const core::ScopedClock inForce(clock);
    EXPECT_EQ(today(), year{2027} / January / day{2});
}

}  // namespace
}  // namespace quivra::customers
