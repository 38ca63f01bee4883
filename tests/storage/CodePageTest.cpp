// Code-page conversion and the header fields written on every post.
#include "TableStore.h"
#include "TextCodec.h"

#include "TempDir.h"
#include "TestTables.h"

#include <gtest/gtest.h>

#include <ctime>

namespace quivra::storage::test {
namespace {

class CodePageTest : public ::testing::TestWithParam<CodePage> {};

TEST_P(CodePageTest, EveryByteSurvivesTheRoundTripThroughUtf8) {
    auto codec = TextCodec::make(GetParam());
    ASSERT_TRUE(codec.isOk()) << codec.status().message();
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = codec->toUtf8(byte);
        auto back = codec->fromUtf8(utf8, "test");
        ASSERT_TRUE(back.isOk()) << codePageName(GetParam()) << " byte " << b << ": "
                                 << back.status().message();
        EXPECT_EQ(*back, byte) << codePageName(GetParam()) << " byte " << b;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, CodePageTest,
                         ::testing::Values(CodePage::Cp437, CodePage::Cp850, CodePage::Cp852,
                                           CodePage::Cp866, CodePage::Cp1250, CodePage::Cp1251,
                                           CodePage::Cp1252),
                         [](const auto& param) { return codePageName(param.param); });

struct Sample {
    CodePage page;
    const char* utf8;
    const char* bytes;
};

TEST(CodePageSamples, KnownCharactersMapToTheirBytes) {
    const Sample samples[] = {
        {CodePage::Cp1252, "é€", "\xE9\x80"}, {CodePage::Cp437, "é½", "\x82\xAB"},
        {CodePage::Cp850, "éØ", "\x82\x9D"},  {CodePage::Cp1251, "Жж", "\xC6\xE6"},
        {CodePage::Cp1250, "ŁŚ", "\xA3\x8C"}, {CodePage::Cp866, "Жж", "\x86\xA6"},
    };
    for (const Sample& s : samples) {
        auto codec = TextCodec::make(s.page);
        ASSERT_TRUE(codec.isOk());
        EXPECT_EQ(codec->fromUtf8(s.utf8, "x").valueOr("?"), s.bytes) << codePageName(s.page);
        EXPECT_EQ(codec->toUtf8(s.bytes), s.utf8) << codePageName(s.page);
    }
}

TEST(CodePageSamples, DriverBytes) {
    EXPECT_EQ(codePageFromDriver(0x00).valueOr(CodePage::Cp437), CodePage::Cp1252);
    EXPECT_EQ(codePageFromDriver(0x57).valueOr(CodePage::Cp437), CodePage::Cp1252);
    EXPECT_EQ(codePageFromDriver(0xC9).valueOr(CodePage::Cp437), CodePage::Cp1251);
    EXPECT_EQ(codePageFromDriver(0x7A).status().code(), Status::Code::Unsupported);
}

TEST(HeaderTest, PostWritesTodaysDateCountAndEndMarker) {
    TempDir dir;
    const auto file = dir / "t.dbf";
    ASSERT_OK(TableStore::create(file, {{"A", 'C', 3, 0}}, CodePage::Cp850));
    std::string bytes = readFile(file);
    bytes[1] = bytes[2] = bytes[3] = 1;  // an old date
    writeFile(file, bytes);
    TableStore t(file);
    ASSERT_OK(t.open());
    ASSERT_OK(appendRecord(t, {{"A", "x"}}));
    ASSERT_OK(appendRecord(t, {{"A", "y"}}));
    bytes = readFile(file);
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), tm.tm_year % 256);
    EXPECT_EQ(static_cast<unsigned char>(bytes[2]), tm.tm_mon + 1);
    EXPECT_EQ(static_cast<unsigned char>(bytes[3]), tm.tm_mday);
    EXPECT_EQ(bytes[4], 2);        // record count, little-endian
    EXPECT_EQ(bytes[29], '\x02');  // cp850 language driver
    EXPECT_EQ(bytes.back(), '\x1A');
    EXPECT_EQ(bytes.size(), 32U + 32 + 1 + 2 * 4 + 1);  // header, two records of 4 bytes, 0x1A
}

}  // namespace
}  // namespace quivra::storage::test
