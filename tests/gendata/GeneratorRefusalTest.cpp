// Hand-edited sources that would make a page fail are refused by the
// generator, which then leaves the run folder as it was.

#include "GeneratedRunFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace quivra::gendata {
namespace {

namespace fs = std::filesystem;

void replaceInFile(const fs::path& file, const std::string& from, const std::string& to) {
    std::string text = test::readBytes(file);
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

struct Edit {
    std::string name, file, from, to;
};
void PrintTo(const Edit& e, std::ostream* os) {
    *os << e.name;
}

class GeneratorRefusal : public ::testing::TestWithParam<Edit> {
protected:
    void SetUp() override {
        m_data = test::makeTempFolder("data");
        m_run = test::makeTempFolder("refused");
        ASSERT_FALSE(m_data.empty() || m_run.empty());
        for (const auto& entry : fs::directory_iterator(test::dataDir()))
            fs::copy(entry.path(), m_data / entry.path().filename());
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_data, ec);
        fs::remove_all(m_run, ec);
    }
    fs::path m_data, m_run;
};

TEST_P(GeneratorRefusal, RefusesAndWritesNothing) {
    const Edit e = GetParam();
    replaceInFile(m_data / e.file, e.from, e.to);
    EXPECT_EQ(test::runGenerator(m_run, m_data), 1);
    EXPECT_TRUE(fs::is_empty(m_run));
}

INSTANTIATE_TEST_SUITE_P(
    BadSources, GeneratorRefusal,
    ::testing::Values(
        // Hunting row 13, entry 5: a two-value KV,M4 tube where only one GPI is read.
        Edit{"TwoValueTubeInSingleWeightSlot", "huntchrt.csv",
             "13,2215,M4,2216,M4,400,caw,2117,M4,2119,XT",
             "13,2215,M4,2216,M4,400,caw,2117,M4,2117,M4"},
        Edit{"ShaftMissingFromCatalogue", "youthchrt.csv", "8,1813,YA", "8,1899,YA"},
        Edit{"InvalidSelectionTextTooLong", "invsel.txt", "This bow weight", std::string(160, 'x')},
        Edit{"GpiNotANumber", "specs.csv", "2213,TP,0.461,TP,TP,9.60", "2213,TP,0.461,TP,TP,9.6x"}),
    [](const ::testing::TestParamInfo<Edit>& p) { return p.param.name; });

}  // namespace
}  // namespace quivra::gendata
