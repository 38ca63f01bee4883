// The models behind the numbers: tube physics of the aluminium sizes, the
// carbon weight curve, the CSV format, the catalogue's key rules, and that
// the checked-in model outputs are what the models give today.

#include "CsvTable.h"
#include "Derive.h"
#include "GeneratedRunFolder.h"
#include "Numbers.h"
#include "ShaftModel.h"
#include "TrajectoryRules.h"
#include "TrajectoryTable.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quivra::gendata {
namespace {

Family alloy7075() {
    Family f;
    f.code = "KV";
    f.density = 2.81;
    f.modulusGpa = 71.7;
    return f;
}

struct TubeCase {
    const char* size;
    double gpiLow, gpiHigh, spineLow, spineHigh;
};
void PrintTo(const TubeCase& c, std::ostream* os) {
    *os << c.size;
}

// Ranges of published figures for these common sizes in 7075-class alloy.
class AluminumTubeTest : public ::testing::TestWithParam<TubeCase> {};

TEST_P(AluminumTubeTest, WeightAndSpineMatchPublishedRanges) {
    const TubeCase c = GetParam();
    auto tube = tubeOfSize(c.size);
    ASSERT_TRUE(tube.has_value());
    const double gpi = aluminumGpi(*tube, alloy7075());
    const double spine = aluminumDeflection(*tube, alloy7075());
    EXPECT_GE(gpi, c.gpiLow);
    EXPECT_LE(gpi, c.gpiHigh);
    EXPECT_GE(spine, c.spineLow);
    EXPECT_LE(spine, c.spineHigh);
}

INSTANTIATE_TEST_SUITE_P(CommonSizes, AluminumTubeTest,
                         ::testing::Values(TubeCase{"2213", 9.2, 9.9, 0.44, 0.49},
                                           TubeCase{"1816", 9.2, 9.8, 0.70, 0.76},
                                           TubeCase{"2315", 11.2, 11.9, 0.34, 0.37},
                                           TubeCase{"2514", 11.4, 12.1, 0.28, 0.30}),
                         [](const ::testing::TestParamInfo<TubeCase>& p) {
                             return std::string("Size") + p.param.size;
                         });

TEST(AluminumTube, ThickerWallIsHeavierAndStiffer) {
    const Family f = alloy7075();
    const auto thin = *tubeOfSize("2213"), thick = *tubeOfSize("2216");
    EXPECT_GT(aluminumGpi(thick, f), aluminumGpi(thin, f));
    EXPECT_LT(aluminumDeflection(thick, f), aluminumDeflection(thin, f));
}

TEST(AluminumTube, SizeTextsThatAreNoTube) {
    for (const char* s : {"22", "22133", "22a3", "0560", "2200", ""})
        EXPECT_FALSE(tubeOfSize(s).has_value()) << s;
}

TEST(CarbonShaft, StifferSpinesWeighMoreAndDiameterIsSound) {
    Family ch;
    ch.density = 1.55;
    ch.gpi400 = 8.4;
    ch.gpiExponent = 0.6;
    ch.insideIn = 0.246;
    EXPECT_DOUBLE_EQ(carbonGpi(400, ch), 8.4);
    EXPECT_GT(carbonGpi(300, ch), carbonGpi(400, ch));
    const double od = carbonOutside(8.4, ch);
    EXPECT_GT(od, 0.28);
    EXPECT_LT(od, 0.31);
}

TEST(GpiText, AlwaysFourCharacters) {
    const std::pair<double, const char*> cases[] = {
        {9.6, "9.60"}, {10.59, "10.6"}, {9.996, "10.0"}, {4.0, "4.00"}, {15.04, "15.0"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(gpiText(value), text) << value;
}

TEST(CsvTable, ParsesQuotesCommentsAndReportsBadLines) {
    std::string err;
    auto t = CsvTable::parse("# note\nA,B\n\"KV,M4\",\"0.344\"\"\"\n x ,\n", "t.csv", err);
    ASSERT_TRUE(t.has_value()) << err;
    ASSERT_EQ(t->rowCount(), 2u);
    EXPECT_EQ(t->value(0, "A"), "KV,M4");
    EXPECT_EQ(t->value(0, "B"), "0.344\"");
    EXPECT_EQ(t->value(1, "A"), " x ");
    auto again = CsvTable::parse(t->toText(), "again", err);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->rows(), t->rows());

    const std::pair<const char*, const char*> bad[] = {{"A,B\n1\n", "line 2"},
                                                       {"A\n\"open\n", "unterminated"},
                                                       {"A\n\"x\"y\n", "closing quote"},
                                                       {"", "no header"}};
    for (const auto& [text, why] : bad) {
        err.clear();
        EXPECT_FALSE(CsvTable::parse(text, "bad.csv", err).has_value()) << text;
        EXPECT_NE(err.find(why), std::string::npos) << err;
    }
}

class CheckedInData : public ::testing::Test {
protected:
    void SetUp() override {
        std::string err;
        auto specs = CsvTable::read(test::dataDir() / "specs.csv", err);
        ASSERT_TRUE(specs) << err;
        auto cat = catalogueFromCsv(*specs, err);
        ASSERT_TRUE(cat) << err;
        m_catalogue = *cat;
    }
    std::vector<SpecRecord> m_catalogue;
};

TEST_F(CheckedInData, DerivedFilesAreUpToDate) {
    std::string err;
    auto derived = deriveAll(test::dataDir(), err);
    ASSERT_TRUE(derived) << err;
    auto onDisk = CsvTable::read(test::dataDir() / "newtraj.csv", err);
    ASSERT_TRUE(onDisk) << err;
    EXPECT_EQ(derived->trajectory.toText(), onDisk->toText())
        << "newtraj.csv is stale: run quivra-gen-data derive data";
    // Shafts from shafts.csv (pair records follow the charts, checked elsewhere).
    std::vector<SpecRecord> fromModel, checkedIn;
    for (const auto& r : derived->catalogue)
        if (!r.isPairAlias()) fromModel.push_back(r);
    for (const auto& r : m_catalogue)
        if (!r.isPairAlias()) checkedIn.push_back(r);
    EXPECT_EQ(catalogueToCsv(fromModel).toText(), catalogueToCsv(checkedIn).toText())
        << "specs.csv is stale: run quivra-gen-data derive data";
}

TEST_F(CheckedInData, KeysFitTheirFieldsAndNoKeyIsAPrefixOfAnother) {
    std::vector<std::string> keys;
    for (const auto& r : m_catalogue) {
        EXPECT_LE(r.size.size(), 15u) << r.key();
        EXPECT_LE(r.keySpine.size(), 10u) << r.key();
        EXPECT_EQ(r.size.find(' '), std::string::npos) << r.key();
        keys.push_back(r.key());
    }
    std::sort(keys.begin(), keys.end());
    for (std::size_t i = 1; i < keys.size(); ++i)
        EXPECT_NE(keys[i].rfind(keys[i - 1], 0), 0u) << keys[i - 1] << " prefixes " << keys[i];
}

TEST_F(CheckedInData, TwoValueGpiGoesWithTheTwoFamilyCodes) {
    for (const auto& r : m_catalogue) {
        const bool twoFamilies = r.hmodels == "KV,M4" || r.tmodels == "ZP,M4";
        EXPECT_EQ(r.twoValueGpi(), twoFamilies) << r.key();
        if (r.twoValueGpi()) {
            EXPECT_EQ(r.hmodels, "KV,M4") << r.key();
            EXPECT_EQ(r.tmodels, "ZP,M4") << r.key();
            EXPECT_TRUE(parseDouble(r.gpi.substr(0, 4))) << r.gpi;
            EXPECT_TRUE(parseDouble(r.gpi.substr(5, 4))) << r.gpi;
        } else {
            EXPECT_TRUE(parseDouble(r.gpi)) << r.key() << " " << r.gpi;
        }
    }
}

TEST(FlightModel, DragSlowsLightArrowsMore) {
    const auto light = computeTrajectory(240, 350, 40);
    const auto heavy = computeTrajectory(240, 650, 40);
    EXPECT_LT(light.velocityFps, heavy.velocityFps);
    EXPECT_LT(heavy.velocityFps, 240);
    // A 400-grain arrow at 240 fps loses some 5-12 % over 40 yards.
    const auto mid = computeTrajectory(240, 400, 40);
    EXPECT_GT(mid.velocityFps, 240 * 0.88);
    EXPECT_LT(mid.velocityFps, 240 * 0.95);
}

TEST(FlightModel, RecordFormulaCoversTheTableInOrder) {
    using calculators::trajectoryRecord;
    const auto rows = trajectoryTable();
    ASSERT_EQ(rows.size(), 245u);
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(trajectoryRecord(rows[i].velocity, rows[i].weight, rows[i].distance),
                  static_cast<int>(i) + 1);
    EXPECT_EQ(trajectoryRecord(240, 450, 40), 88);
}

}  // namespace
}  // namespace quivra::gendata
