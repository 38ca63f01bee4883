// A build's fields as the outbox keeps them: every field written by
// buildTexts() and read back by setBuildText() to the same build, doubles
// bit for bit; keys of a newer program passed over; unreadable numbers refused.

#include "BuildSamples.h"
#include "BuildSql.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

namespace quivra::chain {
namespace {

using customers::SavedBuild;

SavedBuild fromTexts(const std::vector<std::pair<std::string, std::string>>& texts) {
    // Every field is set from its text, so the start may be anything.
    SavedBuild b;
    b.bowType = "changed";
    b.quantity = -1;
    b.focPercent = 99.0;
    for (const auto& [key, text] : texts) {
        auto known = setBuildText(b, key, text);
        EXPECT_TRUE(known) << key << ": " << known.status().message();
        EXPECT_TRUE(known && *known) << key;
    }
    return b;
}

TEST(BuildTexts, EveryFieldComesBackExactly) {
    SavedBuild awkward = test::hostileBuild();
    awkward.nockGr = -0.0;  // the outbox keeps its sign
    const SavedBuild empty = test::withoutOptionals(awkward);

    for (const SavedBuild& build : {awkward, empty, SavedBuild{}}) {
        const auto texts = buildTexts(build);
        const SavedBuild back = fromTexts(texts);
        EXPECT_EQ(back, build);
        // Bit for bit, which == does not tell for -0.0.
        EXPECT_EQ(std::signbit(back.nockGr), std::signbit(build.nockGr));
    }
    const auto texts = buildTexts(empty);
    std::set<std::string> keys;
    for (const auto& [key, text] : texts) {
        keys.insert(key);
        if (key == "foc_percent" || key == "balance_in") {
            EXPECT_EQ(text, "");
        } else if (key == "spine_in") {
            EXPECT_EQ(text, "0.1");
        } else if (key == "grains_per_inch") {
            EXPECT_EQ(text, "1e-07");
        } else if (key == "quantity") {
            EXPECT_EQ(text, "12");
        }
    }
    EXPECT_EQ(keys.size(), texts.size()) << "a key written twice";
    EXPECT_EQ(static_cast<int>(texts.size()) + 1, buildColumnCount());
}

TEST(BuildTexts, UnknownKeysArePassedOverAndBadNumbersRefused) {
    SavedBuild b = customers::test::sampleBuild();
    const SavedBuild before = b;
    auto newer = setBuildText(b, "arrow_colour", "red");
    ASSERT_TRUE(newer);
    EXPECT_FALSE(*newer);
    EXPECT_EQ(b, before);

    struct Case {
        const char* key;
        const char* text;
    };
    for (const Case& c : {Case{"point_gr", "1OO"}, Case{"point_gr", ""}, Case{"quantity", "12.5"},
                          Case{"quantity", "99999999999"}, Case{"foc_percent", "11,5"},
                          Case{"spine_in", " 0.3"}, Case{"release_type", ""}}) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.text);
        auto r = setBuildText(b, c.key, c.text);
        ASSERT_FALSE(r);
        EXPECT_NE(r.status().message().find(c.key), std::string::npos) << r.status().message();
        EXPECT_EQ(b, before) << "a refused text changes nothing";
    }
    // A text field takes anything, an empty optional empties.
    ASSERT_TRUE(setBuildText(b, "spine_check", ""));
    ASSERT_TRUE(setBuildText(b, "speed_fps", ""));
    EXPECT_EQ(b.spineCheck, "");
    EXPECT_FALSE(b.speedFps);
}

TEST(BuildTexts, TheServerRefusesWhatItCannotKeep) {
    SavedBuild b = customers::test::sampleBuild();
    EXPECT_TRUE(checkStorable(b));
    b.models = std::string("CH\0KV", 5);
    core::Status s = checkStorable(b);
    EXPECT_FALSE(s);
    EXPECT_NE(s.message().find("models"), std::string::npos) << s.message();
    b = customers::test::sampleBuild();
    b.speedFps = std::numeric_limits<double>::quiet_NaN();
    s = checkStorable(b);
    EXPECT_FALSE(s);
    EXPECT_NE(s.message().find("speed_fps"), std::string::npos) << s.message();
    b = customers::test::sampleBuild();
    b.totalGr = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(checkStorable(b));
}

}  // namespace
}  // namespace quivra::chain
