// The spine check against the delivered charts: for every set-up the search
// places on a chart row, every shaft the page then shows must get the
// verdict "matches the chart".  The search runs on the tables the build
// generated into its run folder, so this checks the check against the very
// grids the shop sees, over every row of all four charts.
#include "NumberText.h"
#include "SearchEngine.h"
#include "SpineCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#ifndef QUIVRA_RUN_DIR
#error "QUIVRA_RUN_DIR must name the build's run folder"
#endif

namespace qc = quivra::calculators;
namespace sel = quivra::selection;

namespace {

// One family of set-ups: a page, a bow type and fixed set-up choices; the
// sweep runs every whole weight and arrow length through it.
struct Family {
    const char* name;
    sel::Page page;
    int bowType;
    int camType = 0;
    int releaseType = 0;
    int braceHt = 0;
    int overDraw = 0;
    int point = 100;
};

class SpineChartAgreement : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(std::filesystem::path(QUIVRA_RUN_DIR) / "Specs.DBF")) {
            GTEST_FAIL() << "the run folder " << QUIVRA_RUN_DIR
                         << " holds no tables: build the quivra-data target first";
        }
    }

    // Searches every set-up of `f` and checks every shown shaft; returns the
    // number of shafts checked.
    int sweep(const Family& f, int lowWeight, int highWeight, int lowLength, int highLength) {
        sel::SearchEngine engine(QUIVRA_RUN_DIR);
        int checked = 0;
        for (int w = lowWeight; w <= highWeight; ++w) {
            for (int l = lowLength; l <= highLength; ++l) {
                sel::SelectionInputs in;
                in.page = f.page;
                in.bowType = f.bowType;
                in.targBowType = f.bowType;
                in.huntCamType = f.camType;
                in.wheelType = f.camType;
                in.releaseType = f.releaseType;
                in.braceHt = f.braceHt;
                in.overDraw = f.overDraw;
                in.pointWeight = std::to_string(f.point);
                (f.page == sel::Page::Youth ? in.youthBowWeight : in.bowWeight) = std::to_string(w);
                (f.page == sel::Page::Youth ? in.youthArrowLength : in.arrowLength) =
                    std::to_string(l);
                const sel::SearchOutcome& out = engine.search(in);
                if (out.error || out.runs.empty() || !out.runs.front().valid) continue;
                const int row = static_cast<int>(*out.runs.front().row);
                m_rowsSeen[f.page].insert(row);
                const sel::ChartSetup setup = sel::chartSetupOf(in, w, l, f.point);
                const auto& grid = out.grid(f.page);
                for (std::size_t n = 0; n < grid.size(); ++n) {
                    const sel::RecommendationSlot& slot = grid[n];
                    const std::string spine = std::string(slot.spine.caption);
                    if (slot.size.caption.empty() ||
                        spine.find_first_not_of(' ') == std::string::npos)
                        continue;
                    const auto check =
                        qc::checkSpine(setup, quivra::core::parseDecimal(spine).value_or(0));
                    if (!check) {
                        ADD_FAILURE() << f.name << ": no spine check at " << w << " lb";
                        continue;
                    }
                    EXPECT_EQ(check->verdict, "matches the chart")
                        << f.name << ", " << w << " lb, " << l << " in: row " << row << " slot "
                        << n + 1 << " " << slot.size.caption << " (" << spine << ") against "
                        << check->requiredIn << " at row " << check->row;
                    ++checked;
                }
            }
        }
        return checked;
    }

    std::map<sel::Page, std::set<int>> m_rowsSeen;
};

TEST_F(SpineChartAgreement, EveryShaftTheHuntingChartShows) {
    const Family families[] = {
        {"compound hard cam", sel::Page::Hunt, 0},
        {"compound medium cam, fingers, low brace, 2\" overdraw, 125 gr", sel::Page::Hunt, 0, 1, 1,
         1, 2, 125},
        {"compound hard cam, 5\" overdraw, 160 gr", sel::Page::Hunt, 0, 0, 0, 0, 5, 160},
        {"recurve, 80 gr", sel::Page::Hunt, 1, 0, 0, 0, 0, 80},
        {"recurve, 150 gr", sel::Page::Hunt, 1, 0, 0, 0, 0, 150},
        {"longbow, 125 gr", sel::Page::Hunt, 2, 0, 0, 0, 0, 125},
    };
    int checked = 0;
    for (const Family& f : families) checked += sweep(f, 28, 125, 23, 33);
    RecordProperty("shafts_checked", checked);
    EXPECT_GT(checked, 5000);
    EXPECT_EQ(m_rowsSeen[sel::Page::Hunt].size(), 19u) << "rows 2 to 20";
}

TEST_F(SpineChartAgreement, EveryShaftTheTargetChartShows) {
    const Family families[] = {
        {"compound hard cam", sel::Page::Targ, 0, 0},
        {"compound medium cam, fingers, 140 gr", sel::Page::Targ, 0, 1, 1, 0, 0, 140},
        {"compound soft cam, low brace, 1\" overdraw, 110 gr", sel::Page::Targ, 0, 2, 0, 1, 1, 110},
        {"recurve", sel::Page::Targ, 1},
    };
    int checked = 0;
    for (const Family& f : families) checked += sweep(f, 15, 95, 22, 33);
    RecordProperty("shafts_checked", checked);
    EXPECT_GT(checked, 5000);
    EXPECT_EQ(m_rowsSeen[sel::Page::Targ].size(), 18u) << "rows 2 to 19";
}

TEST_F(SpineChartAgreement, EveryShaftTheYouthAndKestraChartsShow) {
    int checked = sweep({"youth", sel::Page::Youth, 0}, 14, 42, 20, 28);
    const Family kestra[] = {
        {"compound hard cam", sel::Page::Kstr, 0, 0},
        {"compound medium cam, fingers, low brace, 125 gr", sel::Page::Kstr, 0, 1, 1, 1, 0, 125},
        {"recurve", sel::Page::Kstr, 1},
    };
    for (const Family& f : kestra) checked += sweep(f, 20, 100, 23, 33);
    RecordProperty("shafts_checked", checked);
    EXPECT_GT(checked, 2000);
    EXPECT_EQ(m_rowsSeen[sel::Page::Youth].size(), 10u) << "rows 1 to 10";
    EXPECT_EQ(m_rowsSeen[sel::Page::Kstr].size(), 11u) << "rows 9 to 19";
}

}  // namespace
