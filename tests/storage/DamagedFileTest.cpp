// Damaged tables and memo files: a clear error naming the file and what is
// wrong, never a crash, never an endless loop, never garbage.
#include "TableStore.h"

#include "MemoryFileIo.h"
#include "TestTables.h"

#include <unistd.h>

#include <gtest/gtest.h>

namespace quivra::storage::test {
namespace {

const std::filesystem::path kData = QUIVRA_TEST_DATA_DIR;

using Code = Status::Code;

struct OpenCase {
    const char* file;
    Code open;            // what open() says
    const char* mention;  // a word the message must contain
};

class DamagedOpenTest : public ::testing::TestWithParam<OpenCase> {};

TEST_P(DamagedOpenTest, OpenFailsWithAClearMessage) {
    const OpenCase& c = GetParam();
    TableStore t(kData / c.file);
    const Status s = t.open();
    EXPECT_EQ(s.code(), c.open) << s.message();
    EXPECT_NE(s.message().find(c.file), std::string::npos) << s.message();
    EXPECT_NE(s.message().find(c.mention), std::string::npos) << s.message();
    EXPECT_FALSE(t.isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Samples, DamagedOpenTest,
    ::testing::Values(OpenCase{"bad_header_length.dbf", Code::Corruption, "header length"},
                      OpenCase{"short_header_length.dbf", Code::Corruption, "field list"},
                      OpenCase{"bad_record_length.dbf", Code::Corruption, "bytes per record"},
                      OpenCase{"unknown_version.dbf", Code::Unsupported, "0x8B"},
                      OpenCase{"unknown_codepage.dbf", Code::Unsupported, "0x7A"},
                      OpenCase{"tiny.dbf", Code::Corruption, "shorter"},
                      OpenCase{"memo_missing.dbf", Code::NotFound, "memo"}),
    [](const auto& param) {
        std::string name = param.param.file;
        return name.substr(0, name.find('.'));
    });

TEST(DamagedFileTest, ShortFileReadsItsWholeRecordsAndReportsTheRest) {
    for (const char* file : {"truncated.dbf", "huge_count.dbf"}) {
        SCOPED_TRACE(file);
        TableStore t(kData / file);
        ASSERT_OK(t.open());
        EXPECT_EQ(t.damage().code(), Code::Corruption);
        EXPECT_NE(t.damage().message().find(file), std::string::npos);
        const std::uint32_t whole = std::string(file) == "truncated.dbf" ? 2 : 3;
        EXPECT_EQ(t.recordCount(), whole);
        ASSERT_OK(t.last());
        EXPECT_EQ(t.fieldInt("ARLEN").valueOr(0), static_cast<std::int32_t>(whole));
    }
}

TEST(DamagedFileTest, MissingEndMarkerIsFine) {
    TableStore t(kData / "no_eof_marker.dbf");
    ASSERT_OK(t.open());
    EXPECT_OK(t.damage());
    EXPECT_EQ(t.recordCount(), 3U);
}

struct MemoCase {
    const char* file;
    Code read;  // reading the memo of record 2
    const char* text;
    const char* damaged;  // the file the message names
};

class DamagedMemoTest : public ::testing::TestWithParam<MemoCase> {};

TEST_P(DamagedMemoTest, MemoReadFailsNamingTheMemoFile) {
    const MemoCase& c = GetParam();
    TableStore t(kData / c.file);
    ASSERT_OK(t.open());
    ASSERT_OK(t.last());
    auto memo = t.fieldText("NOTES");
    EXPECT_EQ(memo.status().code(), c.read) << memo.status().message();
    if (memo) {
        EXPECT_EQ(*memo, c.text);
    } else {
        EXPECT_NE(memo.status().message().find(c.damaged), std::string::npos)
            << memo.status().message();
        EXPECT_NE(memo.status().message().find("NOTES"), std::string::npos)
            << memo.status().message();
    }
    // The other fields of the record still read.
    EXPECT_TRUE(t.fieldText("NAME").isOk());
    // The export stops with the same error and writes nothing.
    // A name of this process's own: ctest runs the cases side by side.
    const auto out = std::filesystem::temp_directory_path() /
                     ("quivra-damaged-export-" + std::to_string(::getpid()) + ".txt");
    std::filesystem::remove(out);
    EXPECT_EQ(t.copyToText(out, 21).code(), c.read);
    EXPECT_EQ(std::filesystem::exists(out), memo.isOk());
    std::filesystem::remove(out);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, DamagedMemoTest,
    ::testing::Values(MemoCase{"memo_past_eof.dbf", Code::Corruption, "", "memo_past_eof.fpt"},
                      MemoCase{"memo_length_huge.dbf", Code::Corruption, "",
                               "memo_length_huge.fpt"},
                      MemoCase{"memo_in_header.dbf", Code::Corruption, "", "memo_in_header.fpt"},
                      MemoCase{"memo_not_number.dbf", Code::Corruption, "", "memo_not_number.dbf"},
                      MemoCase{"memo_blocksize0.dbf", Code::Ok, "tiny!", ""}),
    [](const auto& param) {
        std::string name = param.param.file;
        return name.substr(0, name.find('.'));
    });

TEST(DamagedFileTest, UnterminatedDbaseMemoEndsAtTheEndOfTheFile) {
    TableStore t(kData / "dbt_unterminated.dbf");
    ASSERT_OK(t.open());
    EXPECT_EQ(t.fieldText("NOTES").valueOr("?"), "an unterminated memo");
}

// Reads everything a caller could read; errors are fine, crashes and hangs are not.
void readAll(TableStore& t) {
    if (!t.open()) return;
    std::uint32_t steps = 0;
    if (!t.first()) return;
    while (!t.eof() && steps++ <= t.recordCount()) {
        for (const FieldDef& f : t.fields()) {
            auto text = t.fieldText(f.name);
            if (!text) {
                EXPECT_FALSE(text.status().message().empty());
            }
            (void)t.fieldInt(f.name);
            (void)t.fieldFloat(f.name);
        }
        if (!t.next()) break;
    }
    EXPECT_LE(steps, t.recordCount() + 1);
}

// Every byte of a small table and its memo file set to values that matter
// to the format, and every truncation of both.
TEST(DamagedFileTest, FlippedBytesAndTruncationsNeverCrash) {
    MemoryFileIo base;
    ASSERT_OK(TableStore::create("t.dbf", customerFields(), CodePage::Cp1252, false, base));
    {
        TableStore t("t.dbf", base);
        ASSERT_OK(t.open());
        ASSERT_OK(appendRecord(
            t,
            {{"NAME", "Ann"}, {"BOWWT", "50.5"}, {"SAVED", "20240101"}, {"COMMENTS", "memo one"}}));
        ASSERT_OK(appendRecord(t, {{"NAME", "Bob"}, {"ACTIVE", "T"}, {"COMMENTS", "memo two"}}));
    }
    const std::string table = base.file("t.dbf");
    const std::string memo = base.file("t.fpt");
    auto check = [](const std::string& dbf, const std::string& fpt) {
        MemoryFileIo io;
        io.setFile("t.dbf", dbf);
        io.setFile("t.fpt", fpt);
        TableStore t("t.dbf", io);
        readAll(t);
    };
    for (const char value : {'\0', '\x0D', '\xFF', '*', '9', '\x1A'}) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            std::string bad = table;
            bad[i] = value;
            check(bad, memo);
        }
        for (std::size_t i = 0; i < memo.size(); i += 1) {
            std::string bad = memo;
            bad[i] = value;
            check(table, bad);
        }
    }
    for (std::size_t n = 0; n < table.size(); ++n) check(table.substr(0, n), memo);
    for (std::size_t n = 0; n < memo.size(); ++n) check(table, memo.substr(0, n));
}

}  // namespace
}  // namespace quivra::storage::test
