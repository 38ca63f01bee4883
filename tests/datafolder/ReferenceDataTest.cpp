// Refreshing the user's folder after an upgrade: new reference files come
// in, the shop's own files never change.
#include "ReferenceData.h"
#include "Scratch.h"

#include <gtest/gtest.h>

namespace quivra::datafolder {
namespace {

namespace fs = std::filesystem;
using test::makeInstalled;
using test::readFile;
using test::upgradeFile;
using test::writeFile;

class ReferenceDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        makeInstalled(installed());
        fs::create_directories(data());
        refresh();
        // The shop works: saves set-ups, edits its details, adds its own files.
        writeFile(data() / "Saveddb.dbf", "Smith, Adams");
        writeFile(data() / "Saveddb.fpt", "memos of Smith and Adams");
        writeFile(data() / "Saved.idx", "Adams Smith");
        writeFile(data() / "SHOPINFO.DBF", "Bowhunters of Springfield");
        writeFile(data() / "Builds.dbf", "two builds");
        writeFile(data() / "Builds.idx", "their index");
        writeFile(data() / "custdb.txt", "the last export");
    }
    fs::path installed() const { return m_scratch.path() / "installed"; }
    fs::path data() const { return m_scratch.path() / "data"; }
    std::vector<std::string> refresh() {
        std::vector<std::string> written;
        const storage::Status s = refreshFromInstalled(installed(), data(), written);
        EXPECT_TRUE(s.isOk()) << s.message();
        return written;
    }
    void expectShopFilesKept() const {
        EXPECT_EQ(readFile(data() / "Saveddb.dbf"), "Smith, Adams");
        EXPECT_EQ(readFile(data() / "Saveddb.fpt"), "memos of Smith and Adams");
        EXPECT_EQ(readFile(data() / "Saved.idx"), "Adams Smith");
        EXPECT_EQ(readFile(data() / "SHOPINFO.DBF"), "Bowhunters of Springfield");
        EXPECT_EQ(readFile(data() / "Builds.dbf"), "two builds");
        EXPECT_EQ(readFile(data() / "Builds.idx"), "their index");
        EXPECT_EQ(readFile(data() / "custdb.txt"), "the last export");
    }

private:
    test::Scratch m_scratch;
};

TEST_F(ReferenceDataTest, UpgradeReplacesChangedReferenceFilesOnly) {
    upgradeFile(installed() / "Specs.DBF", "catalogue v2");
    upgradeFile(installed() / "pictures" / "splash.jpg", "splash v2");
    upgradeFile(installed() / "Saveddb.dbf", "empty saved set-ups, new layout");
    upgradeFile(installed() / "SHOPINFO.DBF", "Your Shop Name v2");
    upgradeFile(installed() / "Builds.dbf", "empty builds");  // a table new in this release
    writeFile(installed() / "tuning_guide.pdf", "new guide");

    const std::vector<std::string> written = refresh();
    EXPECT_EQ(written,
              (std::vector<std::string>{"Specs.DBF", "pictures/splash.jpg", "tuning_guide.pdf"}));
    EXPECT_EQ(readFile(data() / "Specs.DBF"), "catalogue v2");
    EXPECT_EQ(readFile(data() / "pictures" / "splash.jpg"), "splash v2");
    EXPECT_EQ(readFile(data() / "tuning_guide.pdf"), "new guide");
    expectShopFilesKept();
}

TEST_F(ReferenceDataTest, UnchangedInstallationIsOnlyListed) {
    // A reference file the user spoiled stays spoiled until the next upgrade:
    // a start compares the listing, not every byte.
    writeFile(data() / "invsel.txt", "edited by hand");
    EXPECT_TRUE(refresh().empty());
    EXPECT_EQ(readFile(data() / "invsel.txt"), "edited by hand");

    // A reinstall (new times, same bytes) restores it and rewrites nothing else.
    upgradeFile(installed() / "invsel.txt", "Invalid selection v1\n");
    EXPECT_EQ(refresh(), std::vector<std::string>{"invsel.txt"});
    EXPECT_EQ(readFile(data() / "invsel.txt"), "Invalid selection v1\n");
    expectShopFilesKept();
}

TEST_F(ReferenceDataTest, ShopTableWithAnyFileLeftIsNeverCompletedFromTheInstallation) {
    // Only the memo of the saved set-ups is left: pairing it with an empty
    // table would lose the link to the shop's memos.
    fs::remove(data() / "Saveddb.dbf");
    fs::remove(data() / "Saved.idx");
    fs::remove(data() / "SHOPINFO.DBF");
    upgradeFile(installed() / "Specs.DBF", "catalogue v2");
    const std::vector<std::string> written = refresh();
    EXPECT_FALSE(fs::exists(data() / "Saveddb.dbf"));
    EXPECT_FALSE(fs::exists(data() / "Saved.idx"));
    EXPECT_EQ(readFile(data() / "SHOPINFO.DBF"), "Your Shop Name");  // none left: made anew
    EXPECT_EQ(written, (std::vector<std::string>{"Specs.DBF", "SHOPINFO.DBF"}));
}

TEST_F(ReferenceDataTest, NewShopTableIsWrittenAfterItsMemoAndIndex) {
    fs::remove(data() / "Saveddb.dbf");
    fs::remove(data() / "Saveddb.fpt");
    fs::remove(data() / "Saved.idx");
    upgradeFile(installed() / "invsel.txt", "Invalid selection v2\n");
    EXPECT_EQ(refresh(),
              (std::vector<std::string>{"Saved.idx", "Saveddb.fpt", "invsel.txt", "Saveddb.dbf"}));
}

TEST_F(ReferenceDataTest, FailedCopyNamesTheFileAndIsRetriedNextStart) {
    upgradeFile(installed() / "Specs.DBF", "catalogue v2");
    fs::remove(data() / "pictures" / "splash.jpg");
    fs::create_directories(data() / "pictures" / "splash.jpg");  // a folder in the way
    std::vector<std::string> written;
    const storage::Status s = refreshFromInstalled(installed(), data(), written);
    ASSERT_FALSE(s.isOk());
    EXPECT_NE(s.message().find((data() / "pictures" / "splash.jpg").string()), std::string::npos)
        << s.message();
    fs::remove_all(data() / "pictures" / "splash.jpg");
    EXPECT_EQ(refresh(), std::vector<std::string>{"pictures/splash.jpg"});
}

TEST(ShopFiles, AreKnownByTheirTableWhateverTheExtension) {
    for (const char* name : {"Saveddb.dbf", "SAVEDDB.FPT", "Saved.idx", "SHOPINFO.DBF",
                             "Builds.dbf", "builds.fpt", "Builds.cdx", "custdb.txt"}) {
        EXPECT_TRUE(isShopFile(name)) << name;
    }
    for (const char* name : {"Specs.DBF", "specs.idx", "HUNTCHRT.DBF", "invsel.txt",
                             "tuning_guide.pdf", "pictures/Saved.jpg.txt", "Savings.dbf"}) {
        EXPECT_FALSE(isShopFile(name)) << name;
    }
}

}  // namespace
}  // namespace quivra::datafolder
