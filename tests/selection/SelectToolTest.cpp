// quivra-select as a user runs it: the JSON of a valid search, of an invalid
// selection with its nested search, and of a conversion error.
#include "SearchTables.h"
#include "TableStore.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#ifndef QUIVRA_SELECT_EXE
#error "QUIVRA_SELECT_EXE must name the quivra-select program"
#endif

namespace quivra::selection {
namespace {

using quivra::test::shellQuote;
using quivra::test::ToolRun;

ToolRun runTool(const std::string& args) {
    return quivra::test::runTool(QUIVRA_SELECT_EXE, args);
}

class SelectToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ChartRows rows;
        rows[13] = {{"2213", "M4"}, {"", ""}, {"400", "caw"}};
        rows[19] = {{"2312", "AL"}};
        ASSERT_NO_FATAL_FAILURE(t.writeAllEmpty());
        ASSERT_NO_FATAL_FAILURE(t.writeChart(Page::Hunt, rows));
        ASSERT_NO_FATAL_FAILURE(t.writeSpecs({
            {"2213", "M4", "0.500", "KV,M4", "ZP,M4", "9.30,9.50"},
            {"2312", "AL", "0.550", "AL", "AL", "9.3"},
        }));
        t.writeMessage("Selection \"out\" of range\\chart");
        data = "--data " + shellQuote(t.dir().string());
    }

    test::SearchTables t;
    std::string data;
};

TEST_F(SelectToolTest, ValidSearch) {
    const ToolRun r = runTool(data);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("{\"page\":\"Hunt\",\"page_key\":\"Hunt\",\"searched\":true,\"runs\":[{"
                          "\"page\":\"Hunt\",\"weight\":\"60\",\"corrected_weight\":60,\"band\":6,"
                          "\"row\":13,\"valid\":true,\"reset_to\":null}],\"messages\":[],",
                          0),
              0U)
        << r.out;
    EXPECT_NE(r.out.find("{\"slot\":1,\"size\":\"2213\",\"spine\":\"0.500   \",\"models\":\"KV,"
                         "M4\",\"weight\":\"279,285\",\"shown\":true,\"size_enabled\":true,"
                         "\"weight_enabled\":false,"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("{\"slot\":2,\"size\":\"\",\"spine\":\"\",\"models\":\"\",\"weight\":"
                         "\"\",\"shown\":false,\"size_enabled\":false,"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("{\"slot\":3,\"size\":\"400\",\"spine\":\"0.400\",\"models\":\"Carbon\","
                         "\"weight\":\"Details\",\"shown\":true,\"size_enabled\":false,"
                         "\"weight_enabled\":true,"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("{\"slot\":16,"), std::string::npos);
    EXPECT_EQ(r.out.find("{\"slot\":17,"), std::string::npos);
    EXPECT_EQ(r.out.back(), '\n');
}

TEST_F(SelectToolTest, InvalidSelectionWithNestedSearch) {
    const ToolRun r = runTool(data + " --page hunt --bow-weight 100 --arrow-length=30");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(
        r.out.find("\"runs\":[{\"page\":\"Hunt\",\"weight\":\"100\",\"corrected_weight\":100,"
                   "\"band\":null,\"row\":null,\"valid\":false,\"reset_to\":\"96\"},{\"page\":"
                   "\"Hunt\",\"weight\":\"96\",\"corrected_weight\":96,\"band\":12,\"row\":19,"
                   "\"valid\":true,\"reset_to\":null}]"),
        std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"messages\":[\"Selection \\\"out\\\" of range\\\\chart\"]"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"inputs\":{\"bow_weight\":\"96\","), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("{\"slot\":1,\"size\":\"2312\","), std::string::npos) << r.out;
}

TEST_F(SelectToolTest, ConversionError) {
    const ToolRun r = runTool(data + " --bow-weight 6x");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "{\"error\":\"'6x' is not a valid integer value\"}\n");
}

TEST_F(SelectToolTest, BadOptionsAreRefused) {
    EXPECT_EQ(runTool(data + " --page archery").status, 2);
    EXPECT_EQ(runTool(data + " --bow-type 3").status, 2);
    EXPECT_EQ(runTool(data + " --bow-weight").status, 2);
    EXPECT_EQ(runTool(data + " --colour red").status, 2);
}

}  // namespace
}  // namespace quivra::selection

namespace quivra::selection {
namespace {

TEST_F(SelectToolTest, ReportOptionWritesThePagesReportWithTheShopRecord) {
    const std::string pdf = (t.dir() / "report.pdf").string();
    // Without the shop's table there is no report, and the tool says so.
    ToolRun r = runTool(data + " --report " + shellQuote(pdf));
    EXPECT_NE(r.status, 0);
    EXPECT_FALSE(std::filesystem::exists(pdf));

    const std::vector<storage::FieldSpec> shopFields = {
        {"NAME", 'C', 30},  {"ADDR1", 'C', 30}, {"ADDR2", 'C', 30},   {"CITY", 'C', 18},
        {"STATE", 'C', 10}, {"ZIP", 'C', 10},   {"COUNTRY", 'C', 12}, {"COMMENTS", 'C', 60},
        {"PHONE", 'C', 20}, {"FAX", 'C', 20}};
    const auto shopFile = t.dir() / "SHOPINFO.DBF";
    ASSERT_TRUE(storage::TableStore::create(shopFile, shopFields).isOk());
    storage::TableStore shop(shopFile);
    ASSERT_TRUE(shop.open().isOk());
    ASSERT_TRUE(shop.appendBlank().isOk());
    ASSERT_TRUE(shop.setFieldText("NAME", "Riverbend Archery").isOk());
    ASSERT_TRUE(shop.post().isOk());
    shop.close();

    r = runTool(data + " --report " + shellQuote(pdf));
    EXPECT_EQ(r.status, 0) << r.out;
    std::ifstream in(pdf, std::ios::binary);
    std::string head(4, '\0');
    in.read(head.data(), 4);
    EXPECT_EQ(head, "%PDF");
}

}  // namespace
}  // namespace quivra::selection
