// The program's own command line: our options out, Qt's left for Qt.
#include "ProgramOptions.h"

#include <gtest/gtest.h>

namespace quivra::datafolder {
namespace {

ProgramOptions parse(std::vector<const char*> args) {
    args.insert(args.begin(), "quivra");
    return parseProgramOptions(static_cast<int>(args.size()), args.data());
}

TEST(ProgramOptions, DataFolderInEitherSpellingAndQtOptionsLeftForQt) {
    const ProgramOptions spaced =
        parse({"-platform", "xcb", "--data", "/srv/shop", "-style", "fusion"});
    ASSERT_FALSE(spaced.error);
    EXPECT_EQ(spaced.data, std::filesystem::path("/srv/shop"));
    EXPECT_EQ(spaced.rest,
              (std::vector<std::string>{"quivra", "-platform", "xcb", "-style", "fusion"}));

    const ProgramOptions joined = parse({"--data=shop folder"});
    EXPECT_EQ(joined.data, std::filesystem::path("shop folder"));
    EXPECT_EQ(joined.rest, std::vector<std::string>{"quivra"});
    EXPECT_FALSE(parse({}).data);
}

TEST(ProgramOptions, HelpAndVersionAreAnsweredWhateverElseIsGiven) {
    EXPECT_TRUE(parse({"--help"}).help);
    EXPECT_TRUE(parse({"-h", "--data", "x"}).help);
    EXPECT_TRUE(parse({"-platform", "offscreen", "--version"}).version);
    EXPECT_NE(programHelpText().find("--data DIR"), std::string::npos);
}

TEST(ProgramOptions, DataWithoutAFolderIsAUsageError) {
    for (const auto& args : {std::vector<const char*>{"--data"}, {"--data="}}) {
        const ProgramOptions options = parse(args);
        ASSERT_TRUE(options.error) << args[0];
        EXPECT_EQ(*options.error, "--data needs the name of a folder");
    }
}

}  // namespace
}  // namespace quivra::datafolder
