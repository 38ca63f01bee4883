// A sweep over the delivered tables in the build's run folder: every input a
// user can reach with the up-down buttons (and a margin beyond) must give a
// consistent screen.  Skipped when the generator has not written the tables.
#include "SearchEngine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef QUIVRA_RUN_DIR
#error "QUIVRA_RUN_DIR must name the run folder of the build"
#endif

namespace quivra::selection {
namespace {

bool isWeightCaption(const std::string& text) {
    // One whole number, or two joined by a comma.
    bool digit = false;
    int commas = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == ',' && digit && commas == 0) {
            digit = false;
            ++commas;
        } else {
            return false;
        }
    }
    return digit;
}

class DeliveredDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path dir = QUIVRA_RUN_DIR;
        for (const char* file : {"HUNTCHRT.DBF", "Targchrt.dbf", "YouthChrt.dbf", "KSTRCHRT.dbf",
                                 "Specs.DBF", "specs.idx", "invsel.txt"}) {
            if (!std::filesystem::exists(dir / file)) {
                GTEST_SKIP() << "The delivered tables are not in " << dir << " (" << file
                             << " is missing); build the data generator's target first.";
            }
        }
        engine = std::make_unique<SearchEngine>(dir);
    }

    // Checks the invariants of one search; returns false after the first
    // failure so that a broken table does not flood the log.
    bool check(const SelectionInputs& in) {
        const SearchOutcome& o = engine->search(in);
        const std::string where =
            std::string(pageKey(in.page)) + " weight " + in.bowWeight + "/" + in.youthBowWeight +
            " length " + in.arrowLength + "/" + in.youthArrowLength + " point " + in.pointWeight +
            " bow " + std::to_string(in.bowType) + "/" + std::to_string(in.targBowType) + " cam " +
            std::to_string(in.huntCamType) + "/" + std::to_string(in.wheelType);
        EXPECT_FALSE(o.error) << where << ": " << o.error.value_or("");
        EXPECT_TRUE(o.dataErrors.empty()) << where << ": " << o.dataErrors.front();
        EXPECT_LE(o.runs.size(), 3U) << where;
        if (o.error || !o.dataErrors.empty() || o.runs.empty()) return false;
        const bool valid = o.runs.back().valid;
        int shown = 0;
        for (const RecommendationSlot& s : o.activeGrid()) {
            if (!s.size.showCaption) {
                EXPECT_FALSE(s.size.enabled) << where;
                EXPECT_EQ(s.size.caption, "") << where;
                continue;
            }
            ++shown;
            EXPECT_NE(s.size.caption, "") << where;
            const bool carbon = s.models.caption == "Carbon";
            if (carbon) {
                EXPECT_EQ(in.page, Page::Hunt) << where;
                EXPECT_FALSE(s.size.enabled) << where;
                EXPECT_TRUE(s.weight.enabled) << where;
                EXPECT_EQ(s.weight.caption, "Details") << where;
            } else {
                EXPECT_TRUE(s.size.enabled) << where << " size " << s.size.caption;
                EXPECT_TRUE(isWeightCaption(s.weight.caption))
                    << where << " size " << s.size.caption << " weight '" << s.weight.caption
                    << "'";
                EXPECT_NE(s.models.caption, "") << where << " size " << s.size.caption;
            }
        }
        if (valid) {
            EXPECT_GT(shown, 0) << where << ": a valid row fills no slot";
        } else {
            EXPECT_EQ(shown, 0) << where << ": an invalid selection shows a row";
        }
        return !::testing::Test::HasFailure();
    }

    std::unique_ptr<SearchEngine> engine;
};

TEST_F(DeliveredDataTest, Hunting) {
    SelectionInputs in;
    for (int bow = 0; bow <= 2; ++bow) {
        for (int cam = 0; cam <= (bow == 0 ? 1 : 0); ++cam) {
            for (const char* point : {"65", "100", "125", "160"}) {
                for (int fingers = 0; fingers <= 1; ++fingers) {
                    for (int w = 15; w <= 126; ++w) {
                        for (int l = 23; l <= 33; ++l) {
                            in.bowType = bow;
                            in.huntCamType = cam;
                            in.pointWeight = point;
                            in.releaseType = fingers;
                            in.braceHt = fingers;
                            in.bowWeight = std::to_string(w);
                            in.arrowLength = std::to_string(l);
                            if (!check(in)) return;
                        }
                    }
                }
            }
        }
    }
}

TEST_F(DeliveredDataTest, Target) {
    SelectionInputs in;
    in.page = Page::Targ;
    for (int bow = 0; bow <= 1; ++bow) {
        for (int cam = 0; cam <= (bow == 0 ? 2 : 0); ++cam) {
            for (const char* point : {"100", "130"}) {
                for (int w = 15; w <= 126; ++w) {
                    for (int l = 23; l <= 33; ++l) {
                        in.targBowType = bow;
                        in.wheelType = cam;
                        in.pointWeight = point;
                        in.bowWeight = std::to_string(w);
                        in.arrowLength = std::to_string(l);
                        if (!check(in)) return;
                    }
                }
            }
        }
    }
}

TEST_F(DeliveredDataTest, Youth) {
    SelectionInputs in;
    in.page = Page::Youth;
    for (int w = 10; w <= 50; ++w) {
        for (int l = 21; l <= 27; ++l) {
            in.youthBowWeight = std::to_string(w);
            in.youthArrowLength = std::to_string(l);
            if (!check(in)) return;
        }
    }
}

TEST_F(DeliveredDataTest, Kestra) {
    SelectionInputs in;
    in.page = Page::Kstr;
    for (int bow = 0; bow <= 1; ++bow) {
        for (int cam = 0; cam <= 1; ++cam) {
            for (const char* point : {"100", "105"}) {
                for (int w = 15; w <= 126; ++w) {
                    for (int l = 23; l <= 33; ++l) {
                        in.targBowType = bow;
                        in.huntCamType = cam;
                        in.pointWeight = point;
                        in.bowWeight = std::to_string(w);
                        in.arrowLength = std::to_string(l);
                        if (!check(in)) return;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace quivra::selection
