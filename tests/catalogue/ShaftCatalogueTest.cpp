// The shaft catalogue: look-up by key, the two-family split of combined
// aluminium rows, the bare-shaft weight caption and damaged or missing files.
#include "CatalogueTable.h"
#include "NumberText.h"
#include "ShaftCatalogue.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace quivra::catalogue {
namespace {

using storage::test::CatalogueRow;

class ShaftCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::vector<CatalogueRow> rows = {
            {"1716", "M4", "0.869", "KV,M4", "ZP,M4", "8.92,9.12", "100", "10", "15", "18",
             "Aluminum M4 alloy", "0.266\"", "0.234\"", "0.016\"", "32\""},
            {"400", "CH", "0.400", "CH", "TC", "8.8", "125", "9", "21", "12", "Carbon hunting",
             "0.295\"", "0.244\"", "", "31\""},
        };
        ASSERT_TRUE(storage::test::writeCatalogue(m_dir.path(), rows).isOk());
    }
    storage::test::TempDir m_dir;
};

TEST_F(ShaftCatalogueTest, FindsTheRecordOfAKeyAndKeepsIt) {
    ShaftCatalogue catalogue(m_dir.path());
    const auto found = catalogue.find("400CH");
    ASSERT_TRUE(found);
    const ShaftRecord& shaft = **found;
    EXPECT_TRUE(shaft.found);
    EXPECT_EQ(core::trimBlanks(shaft.size), "400");
    EXPECT_EQ(core::trimBlanks(shaft.spine), "0.400");
    EXPECT_EQ(core::trimBlanks(shaft.hmodels), "CH");
    EXPECT_EQ(core::trimBlanks(shaft.tmodels), "TC");
    EXPECT_EQ(core::trimBlanks(shaft.gpi), "8.8");
    EXPECT_EQ(*catalogue.find("400CH"), &shaft);  // read once, kept

    const auto missing = catalogue.find("999ZZ");
    ASSERT_TRUE(missing);
    EXPECT_FALSE((*missing)->found);
    EXPECT_TRUE((*missing)->gpi.empty());
}

TEST_F(ShaftCatalogueTest, FullRecordReadsEveryField) {
    ShaftCatalogue catalogue(m_dir.path());
    const auto shaft = catalogue.fullRecord("1716M4");
    ASSERT_TRUE(shaft) << shaft.status().message();
    EXPECT_EQ(shaft->keySpine, "M4");
    EXPECT_EQ(shaft->arrowType, "Aluminum M4 alloy");
    EXPECT_EQ(shaft->maxLength, "32\"");
    EXPECT_EQ(shaft->wall, "0.016\"");
    EXPECT_DOUBLE_EQ(shaft->defaultPoint, 100.0);
    EXPECT_DOUBLE_EQ(shaft->defaultNock, 10.0);
    EXPECT_DOUBLE_EQ(shaft->defaultFletching, 15.0);
    EXPECT_DOUBLE_EQ(shaft->defaultInsert, 18.0);
    EXPECT_DOUBLE_EQ(shaft->outsideDiameter().value(), 0.266);

    // An unknown key reads as the table's end: blank texts, zero numbers.
    const auto none = catalogue.fullRecord("999ZZ");
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->found);
    EXPECT_EQ(none->arrowType, "");
    EXPECT_DOUBLE_EQ(none->defaultPoint, 0.0);
    EXPECT_FALSE(none->outsideDiameter());
}

TEST_F(ShaftCatalogueTest, MissingFilesAreNamed) {
    std::filesystem::remove(m_dir.path() / kIndexFile);
    ShaftCatalogue noIndex(m_dir.path());
    const auto a = noIndex.find("400CH");
    ASSERT_FALSE(a);
    EXPECT_NE(a.status().message().find("specs.idx"), std::string::npos);

    std::filesystem::remove(m_dir.path() / kTableFile);
    ShaftCatalogue noTable(m_dir.path());
    const auto b = noTable.fullRecord("400CH");
    ASSERT_FALSE(b);
    EXPECT_NE(b.status().message().find(kTableFile), std::string::npos);
}

TEST_F(ShaftCatalogueTest, DamagedTableGivesAnErrorNotACrash) {
    {
        std::fstream file(m_dir.path() / kTableFile,
                          std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(8);  // header length: now points past the end of the file
        file.put('\xFF');
        file.put('\x7F');
    }
    ShaftCatalogue catalogue(m_dir.path());
    EXPECT_FALSE(catalogue.find("400CH"));
}

TEST(CombinedRows, SplitIntoTheTwoFamilies) {
    EXPECT_EQ(splitFamilies("8.92,9.12").first, "8.92");
    EXPECT_EQ(splitFamilies("8.92,9.12").second, "9.12");
    EXPECT_EQ(splitFamilies("8.92,9.1234").second, "9.12");
    EXPECT_EQ(splitFamilies("8.92").second, "");
    EXPECT_EQ(splitFamilies("8.92,").second, "");
    EXPECT_EQ(splitFamilies("").first, "");
    EXPECT_TRUE(isTwoFamilyModels("KV,M4"));
    EXPECT_TRUE(isTwoFamilyModels("ZP,M4 "));
    EXPECT_FALSE(isTwoFamilyModels("M4"));
    EXPECT_FALSE(isTwoFamilyModels("KV,XT"));
}

TEST(BareShaftWeight, IsRoundedHalfUpToWholeGrains) {
    EXPECT_EQ(bareShaftWeightText(9.3, 30), "279");
    EXPECT_EQ(bareShaftWeightText(8.5, 29), "247");  // 246.5 + 0.5
    EXPECT_EQ(bareShaftWeightText(8.5, 28), "238");  // 238.0 + 0.5
    EXPECT_EQ(bareShaftWeightText(9.5, 30), "285");
    EXPECT_EQ(bareShaftWeightText(0.0, 30), "0");
    EXPECT_EQ(bareShaftWeightText(8.05, 30), "242");  // 241.5 in decimal, not quite in binary
    EXPECT_EQ(bareShaftWeightText(-1.0, 30), "-29");
}

}  // namespace
}  // namespace quivra::catalogue
