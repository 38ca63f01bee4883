// Choosing the data folder: --data, the working folder that holds the tables,
// the user's folder made from the installed data, and one clear message for
// each way that can fail.
#include "DataFolder.h"
#include "ReferenceData.h"
#include "Scratch.h"

#include <gtest/gtest.h>

namespace quivra::datafolder {
namespace {

namespace fs = std::filesystem;
using test::makeInstalled;
using test::readFile;
using test::writeFile;

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(home());
        fs::create_directories(working());
        makeInstalled(installed());
        m_env.workingFolder = working();
        m_env.home = home().string();
        m_env.installedDataDirs = {root() / "nowhere" / "quivra", installed()};
    }
    fs::path root() const { return m_scratch.path(); }
    fs::path home() const { return root() / "home"; }
    fs::path working() const { return root() / "work"; }
    fs::path installed() const { return root() / "usr" / "share" / "quivra"; }
    fs::path userFolder() const { return home() / ".local" / "share" / "quivra"; }

    Environment m_env;

private:
    test::Scratch m_scratch;
};

TEST_F(DataFolderTest, NamedFolderIsTakenAsItIsAndMadeAbsolute) {
    fs::create_directories(root() / "shop");
    m_env.workingFolder = root();
    const fs::path before = fs::current_path();
    fs::current_path(root());
    const auto folder = resolveDataFolder(fs::path("shop/"), m_env);
    fs::current_path(before);
    ASSERT_TRUE(folder.isOk()) << folder.status().message();
    EXPECT_EQ(folder->path, root() / "shop");
    EXPECT_EQ(folder->origin, Origin::Named);
    EXPECT_FALSE(fs::exists(userFolder()));  // nothing made elsewhere
}

TEST_F(DataFolderTest, NamedFolderThatCannotBeUsedGetsOneMessageNamingIt) {
    writeFile(root() / "a-file", "x");
    struct Case {
        const char* name;
        fs::path folder;
        const char* says;
    };
    const Case cases[] = {
        {"missing", root() / "no-such-folder", "does not exist."},
        {"a file", root() / "a-file", "is not a folder."},
    };
    for (const Case& c : cases) {
        const auto folder = resolveDataFolder(c.folder, m_env);
        ASSERT_FALSE(folder.isOk()) << c.name;
        const std::string message = folder.status().message();
        EXPECT_NE(message.find("The data folder " + c.folder.string() + " " + c.says),
                  std::string::npos)
            << c.name << ": " << message;
        EXPECT_NE(message.find("Give --data the folder that holds Quivra's tables"),
                  std::string::npos)
            << c.name << ": " << message;
    }
    EXPECT_FALSE(resolveDataFolder(fs::path(), m_env).isOk());
}

TEST_F(DataFolderTest, WorkingFolderThatHoldsTheTablesIsUsed) {
    writeFile(working() / "Specs.DBF", "catalogue");
    const auto folder = resolveDataFolder(std::nullopt, m_env);
    ASSERT_TRUE(folder.isOk()) << folder.status().message();
    EXPECT_EQ(folder->path, working());
    EXPECT_EQ(folder->origin, Origin::WorkingFolder);
    EXPECT_FALSE(fs::exists(userFolder()));
}

TEST_F(DataFolderTest, FirstStartElsewhereMakesTheUserFolderFromTheInstalledData) {
    const auto folder = resolveDataFolder(std::nullopt, m_env);
    ASSERT_TRUE(folder.isOk()) << folder.status().message();
    EXPECT_EQ(folder->path, userFolder());
    EXPECT_EQ(folder->origin, Origin::UserFolder);
    for (const char* file :
         {"HUNTCHRT.DBF", "Specs.DBF", "specs.idx", "invsel.txt", "pictures/splash.jpg",
          "Saveddb.dbf", "Saveddb.fpt", "Saved.idx", "SHOPINFO.DBF"}) {
        EXPECT_EQ(readFile(userFolder() / file), readFile(installed() / file)) << file;
    }
    EXPECT_EQ(folder->written.size(), 12U);
    // The copies belong to the user, who saves into them.
    const fs::perms perms = fs::status(userFolder() / "Saveddb.dbf").permissions();
    EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);

    // The second start finds it up to date and writes nothing.
    const auto again = resolveDataFolder(std::nullopt, m_env);
    ASSERT_TRUE(again.isOk());
    EXPECT_TRUE(again->written.empty());
}

TEST_F(DataFolderTest, XdgDataHomeWinsOverHomeWhenAbsolute) {
    m_env.xdgDataHome = (root() / "xdg").string();
    EXPECT_EQ(userDataFolder(m_env), root() / "xdg" / "quivra");
    m_env.xdgDataHome = "relative/xdg";  // invalid by the XDG rules: ignored
    EXPECT_EQ(userDataFolder(m_env), userFolder());
    m_env.xdgDataHome.clear();
    m_env.home.clear();
    EXPECT_TRUE(userDataFolder(m_env).empty());
    const auto folder = resolveDataFolder(std::nullopt, m_env);
    ASSERT_FALSE(folder.isOk());
    EXPECT_NE(folder.status().message().find("neither XDG_DATA_HOME nor HOME is set"),
              std::string::npos);
}

TEST_F(DataFolderTest, StartingInsideTheInstalledDataUsesTheUserFolder) {
    // The package's folder is read-only and shared: never a place to save.
    m_env.workingFolder = installed();
    const auto folder = resolveDataFolder(std::nullopt, m_env);
    ASSERT_TRUE(folder.isOk()) << folder.status().message();
    EXPECT_EQ(folder->path, userFolder());
}

TEST_F(DataFolderTest, StartingInsideTheUserFolderStillRefreshesIt) {
    ASSERT_TRUE(resolveDataFolder(std::nullopt, m_env).isOk());
    test::upgradeFile(installed() / "Specs.DBF", "catalogue v2");
    m_env.workingFolder = userFolder();
    const auto folder = resolveDataFolder(std::nullopt, m_env);
    ASSERT_TRUE(folder.isOk());
    EXPECT_EQ(folder->origin, Origin::UserFolder);
    EXPECT_EQ(readFile(userFolder() / "Specs.DBF"), "catalogue v2");
}

TEST_F(DataFolderTest, MissingReferenceDataIsExplainedWithWhereItWasLookedFor) {
    m_env.installedDataDirs = {root() / "nowhere" / "quivra"};
    const auto folder = resolveDataFolder(std::nullopt, m_env);
    ASSERT_FALSE(folder.isOk());
    const std::string message = folder.status().message();
    EXPECT_NE(message.find("Your data folder " + userFolder().string() + " cannot be made"),
              std::string::npos)
        << message;
    EXPECT_NE(message.find((root() / "nowhere" / "quivra").string()), std::string::npos);
    EXPECT_NE(message.find("--data DIR"), std::string::npos);
    EXPECT_FALSE(fs::exists(userFolder()));

    // A user folder kept by hand still works without the installed data.
    writeFile(userFolder() / "HUNTCHRT.DBF", "chart");
    EXPECT_TRUE(resolveDataFolder(std::nullopt, m_env).isOk());
}

TEST_F(DataFolderTest, UserFolderThatCannotBeMadeSaysWhereToWrite) {
    writeFile(home() / ".local" / "share", "a file where the folder should be");
    const auto folder = resolveDataFolder(std::nullopt, m_env);
    ASSERT_FALSE(folder.isOk());
    const std::string message = folder.status().message();
    EXPECT_NE(message.find("cannot be made"), std::string::npos) << message;
    EXPECT_NE(message.find("Check that you may write to " + (home() / ".local" / "share").string()),
              std::string::npos)
        << message;
}

TEST_F(DataFolderTest, ToolsThatOnlyLookNeverMakeTheUserFolder) {
    const auto folder = resolveDataFolder(std::nullopt, m_env, false);
    ASSERT_FALSE(folder.isOk());
    EXPECT_NE(folder.status().message().find("Start Quivra once to make it"), std::string::npos)
        << folder.status().message();
    EXPECT_FALSE(fs::exists(userFolder()));
}

TEST_F(DataFolderTest, InstalledDataFolderIsTheFirstThatHoldsTables) {
    const fs::path local = root() / "usr" / "local" / "share" / "quivra";
    fs::create_directories(local);  // empty: skipped
    m_env.installedDataDirs = {local, installed()};
    EXPECT_EQ(installedDataFolder(m_env), installed());
    writeFile(local / "KSTRCHRT.dbf", "chart");
    EXPECT_EQ(installedDataFolder(m_env), local);
}

}  // namespace
}  // namespace quivra::datafolder
