// quivra-build as a user runs it: the JSON of a weighed arrow and of a
// catalogue shaft, the error JSON naming the option at fault, and the same
// output under a locale that writes decimal commas.
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <charconv>
#include <optional>
#include <string>

#ifndef QUIVRA_BUILD_EXE
#error "QUIVRA_BUILD_EXE must name the quivra-build program"
#endif
#ifndef QUIVRA_RUN_DIR
#error "QUIVRA_RUN_DIR must name the build's run folder"
#endif

namespace quivra {
namespace {

using test::ToolRun;

ToolRun runTool(const std::string& args, const std::string& environment = "") {
    return test::runTool(QUIVRA_BUILD_EXE, args + " --data " + test::shellQuote(QUIVRA_RUN_DIR),
                         environment);
}

// The number after the first `"key":` at or after `from`.
std::optional<double> numberAfter(const std::string& json, const std::string& key,
                                  std::size_t from = 0) {
    const std::size_t at = json.find("\"" + key + "\":", from);
    if (at == std::string::npos) return std::nullopt;
    const char* begin = json.data() + at + key.size() + 3;
    double value = 0;
    const auto [end, ec] = std::from_chars(begin, json.data() + json.size(), value);
    if (ec != std::errc()) return std::nullopt;
    return value;
}

const std::string kCompound = "--bow-type compound --rating 340 --draw-weight 70 --draw-length 28";

TEST(BuildTool, WeighedArrowSheet) {
    const ToolRun r = runTool(kCompound + " --arrow-weight 420");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.rfind("{\"arrow_weight\":420,\"gpp\":6,\"speed\":{\"rule\":296.6666666666667,"
                          "\"energy\":",
                          0),
              0u)
        << r.out;
    EXPECT_NEAR(*numberAfter(r.out, "energy"), 300.0987, 1e-4);
    EXPECT_NE(r.out.find("\"foc\":null,\"spine\":null,\"downrange\":[{\"yards\":0,"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"class\":\"Largest Game\""), std::string::npos);
    EXPECT_NE(r.out.find("\"warnings\":[]"), std::string::npos);
    const std::size_t at100 = r.out.find("{\"yards\":100,");
    ASSERT_NE(at100, std::string::npos);
    EXPECT_GT(*numberAfter(r.out, "drop_in", at100), 100.0);
    EXPECT_EQ(r.out.back(), '\n');
}

TEST(BuildTool, CatalogueShaftSheet) {
    const ToolRun r = runTool(kCompound +
                              " --shaft 340CH --length 29 --point 100 --insert 15 --nock 9 "
                              "--fletching 15");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NEAR(*numberAfter(r.out, "arrow_weight"), 29 * 9.26 + 139, 1e-9);
    EXPECT_NE(r.out.find("\"shaft\":0.34,"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"verdict\":\"matches the chart\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"balance_estimated\":true"), std::string::npos);
    EXPECT_GT(*numberAfter(r.out, "foc"), 5.0);
}

TEST(BuildTool, BadInputNamesTheOption) {
    struct Case {
        const char* args;
        const char* error;
    };
    const Case cases[] = {
        {"--rating 340 --draw-weight 7O --draw-length 28 --arrow-weight 420",
         "{\"error\":\"--draw-weight: '7O' is not a number.\"}\n"},
        {"--rating 340 --draw-weight 70 --draw-length 28 --arrow-weight -420",
         "{\"error\":\"--arrow-weight: The arrow weight must be from 100 to 5000 gr.\"}\n"},
        {"--rating 340 --draw-weight 70 --draw-length 6 --brace-height 7 --arrow-weight 420",
         "{\"error\":\"--draw-length: The draw length (6 in) is under the brace height (7 "
         "in).\"}\n"},
        {"--rating 340 --draw-weight 70 --draw-length 28 --shaft 340CH --length 29 --point 100 "
         "--insert -15 --nock 9 --fletching 15",
         "{\"error\":\"--insert: The insert weight must be from 0 to 1000 gr.\"}\n"},
        {"--rating 340 --draw-weight 70 --shaft 340CH --length 29 --point 100",
         "{\"error\":\"--insert: needed with --shaft.\"}\n"},
        {"--rating 340 --draw-weight 70 --shaft 123ZZ --length 29 --point 100 --insert 9 --nock 9 "
         "--fletching 9",
         "{\"error\":\"--shaft: The shaft 123ZZ is not in the catalogue.\"}\n"},
        // The grid takes the first key that begins with the text; the sheet
        // takes the shaft only by its whole key.
        {"--rating 340 --draw-weight 70 --shaft 340 --length 29 --point 100 --insert 9 --nock 9 "
         "--fletching 9",
         "{\"error\":\"--shaft: The shaft 340 is not in the catalogue.\"}\n"},
        {"--draw-weight 70 --draw-length 28 --arrow-weight 420",
         "{\"error\":\"--rating: A compound bow needs its speed rating (IBO or ATA).\"}\n"},
        {"--bow-type crossbow --draw-weight 70 --draw-length 28 --arrow-weight 420",
         "{\"error\":\"--bow-type: 'crossbow' is none of compound, recurve, longbow.\"}\n"},
    };
    for (const Case& c : cases) {
        const ToolRun r = runTool(c.args);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_EQ(r.out, c.error) << c.args;
    }
}

TEST(BuildTool, DataFolderAndVersion) {
    // A --data folder that is not there is refused even where no shaft is read.
    const ToolRun missing = test::runTool(
        QUIVRA_BUILD_EXE, kCompound + " --arrow-weight 420 --data /nonexistent/quivra");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out.rfind("{\"error\":\"--data: The data folder /nonexistent/quivra", 0), 0U)
        << missing.out;
    const ToolRun version = test::runTool(QUIVRA_BUILD_EXE, "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("quivra-build (Quivra) ", 0), 0U) << version.out;
}

TEST(BuildTool, SameOutputUnderADecimalCommaLocale) {
    const std::string args =
        "--bow-type recurve --draw-weight 47.5 --draw-length 27.25 "
        "--shaft 2213M4 --length 28.25 --point 125 --insert 18 --nock 10 "
        "--fletching 15";
    const ToolRun plain = runTool(args, "LC_ALL=C");
    const ToolRun comma = runTool(args, "LC_ALL=de_DE.UTF-8");
    ASSERT_EQ(plain.status, 0) << plain.out;
    EXPECT_EQ(comma.out, plain.out);
    EXPECT_NEAR(*numberAfter(plain.out, "gpp"), *numberAfter(plain.out, "arrow_weight") / 47.5,
                1e-12);
    EXPECT_NE(plain.out.find("\"speed\":{\"rule\":null,\"energy\":"), std::string::npos);
}

}  // namespace
}  // namespace quivra
