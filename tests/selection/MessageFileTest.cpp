// invsel.txt: the first line only, at most 150 characters, in either UTF-8 or
// the Windows code page such files are written in.
#include "MessageFile.h"
#include "SearchTables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace quivra::selection {
namespace {

class MessageFileTest : public ::testing::Test {
protected:
    std::string read(const std::string& bytes) {
        const auto file = t.dir() / "invsel.txt";
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        const storage::Result<std::string> line = readMessageLine(file);
        EXPECT_TRUE(line.isOk()) << line.status().message();
        return line.valueOr("<failed>");
    }
    test::SearchTables t;
};

TEST_F(MessageFileTest, FirstLineOnly) {
    EXPECT_EQ(read("Out of range\r\nmore\r\n"), "Out of range");
    EXPECT_EQ(read("Out of range\nmore"), "Out of range");
    EXPECT_EQ(read("No line end"), "No line end");
    EXPECT_EQ(read(""), "");
    EXPECT_EQ(read("\xEF\xBB\xBFWith a mark\r\n"), "With a mark");
}

TEST_F(MessageFileTest, CutAtOneHundredFiftyCharacters) {
    EXPECT_EQ(read(std::string(200, 'x') + "\r\n"), std::string(150, 'x'));
    // 150 characters of two bytes each stay whole characters.
    std::string accents;
    for (int i = 0; i < 160; ++i) accents += "\xC3\xA9";
    const std::string line = read(accents);
    EXPECT_EQ(line.size(), 300U);
}

TEST_F(MessageFileTest, WindowsCodePageBecomesUtf8) {
    EXPECT_EQ(read("Caf\xE9 \x93quoted\x94\r\n"), "Caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D");
}

TEST_F(MessageFileTest, MissingFileIsNamed) {
    const storage::Result<std::string> line = readMessageLine(t.dir() / "none.txt");
    ASSERT_FALSE(line.isOk());
    EXPECT_EQ(line.status().code(), storage::Status::Code::NotFound);
    EXPECT_NE(line.status().message().find("none.txt"), std::string::npos);
}

}  // namespace
}  // namespace quivra::selection
