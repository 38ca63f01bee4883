// Copy to text, type 21: the exact lines, quoting, and what a failed export
// leaves behind.
#include "TableStore.h"

#include "FaultyFileIo.h"
#include "TempDir.h"
#include "TestTables.h"

#include <gtest/gtest.h>

namespace quivra::storage::test {
namespace {

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_OK(TableStore::create(m_file, customerFields()));
        TableStore t(m_file);
        ASSERT_OK(t.open());
        ASSERT_OK(appendRecord(t, {{"NAME", "  Ann Lee"},
                                   {"CITY", "Zürich"},
                                   {"BOWWT", "60"},
                                   {"ARLEN", "30"},
                                   {"SAVED", "20240131"},
                                   {"ACTIVE", "T"},
                                   {"COMMENTS", "Hunts elk"}}));
        ASSERT_OK(appendRecord(
            t, {{"NAME", "Bob \"Bullseye\" Ray"}, {"COMMENTS", "line one\r\nline two"}}));
        ASSERT_OK(appendRecord(t, {{"NAME", "Cy"}}));
    }

    TempDir m_dir;
    std::filesystem::path m_file = m_dir / "Saveddb.dbf";
    std::filesystem::path m_out = m_dir / "custdb.txt";
};

const char* const kExpected =
    "\"  Ann Lee\",\"Zürich\",60.0,30,20240131,T,\"Hunts elk\"\r\n"
    "\"Bob \"\"Bullseye\"\" Ray\",\"\",,,,F,\"line one\r\nline two\"\r\n"
    "\"Cy\",\"\",,,,F,\"\"\r\n";

TEST_F(ExportTest, DelimitedLinesInFieldOrder) {
    TableStore t(m_file);
    ASSERT_OK(t.open());
    ASSERT_OK(t.copyToText(m_out, 21));
    EXPECT_EQ(readFile(m_out), kExpected);
}

TEST_F(ExportTest, DeletedRecordsAreLeftOut) {
    std::string bytes = readFile(m_file);
    const std::size_t header =
        static_cast<unsigned char>(bytes[8]) | (static_cast<unsigned char>(bytes[9]) << 8);
    bytes[header] = '*';
    writeFile(m_file, bytes);
    TableStore t(m_file);
    ASSERT_OK(t.open());
    ASSERT_OK(t.copyToText(m_out, 21));
    EXPECT_EQ(readFile(m_out).rfind("\"Bob", 0), 0U);
}

TEST_F(ExportTest, EmptyTableGivesEmptyFileAndExportReplaces) {
    writeFile(m_out, "old contents");
    const auto empty = m_dir / "empty.dbf";
    ASSERT_OK(TableStore::create(empty, customerFields()));
    TableStore t(empty);
    ASSERT_OK(t.open());
    ASSERT_OK(t.copyToText(m_out, 21));
    EXPECT_EQ(readFile(m_out), "");
}

TEST_F(ExportTest, OtherTypeCodesAreRefused) {
    TableStore t(m_file);
    ASSERT_OK(t.open());
    EXPECT_EQ(t.copyToText(m_out, 1).code(), Status::Code::Unsupported);
    EXPECT_FALSE(std::filesystem::exists(m_out));
}

struct FaultCase {
    const char* name;
    std::uint64_t budget;
    bool failSync;
    bool failRename;
};

class ExportFaultTest : public ExportTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(ExportFaultTest, FailureIsReportedAndThePreviousFileSurvives) {
    writeFile(m_out, "previous export\r\n");
    FaultyFileIo io;
    io.writeBudget = GetParam().budget;
    io.failSync = GetParam().failSync;
    io.failRename = GetParam().failRename;
    TableStore t(m_file, io);
    ASSERT_OK(t.open());
    const Status s = t.copyToText(m_out, 21);
    EXPECT_EQ(s.code(), Status::Code::IoError);
    EXPECT_NE(s.message().find("custdb.txt"), std::string::npos) << s.message();
    EXPECT_EQ(readFile(m_out), "previous export\r\n");
    // Only the table, its memo file and the previous export remain.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.path()),
                            std::filesystem::directory_iterator()),
              3);
}

INSTANTIATE_TEST_SUITE_P(Faults, ExportFaultTest,
                         ::testing::Values(FaultCase{"DiskFullAtOnce", 0, false, false},
                                           FaultCase{"DiskFullMidway", 40, false, false},
                                           FaultCase{"SyncFails", ~0ULL, true, false},
                                           FaultCase{"RenameFails", ~0ULL, false, true}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace quivra::storage::test
