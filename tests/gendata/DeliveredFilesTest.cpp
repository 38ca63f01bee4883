// The files the build delivers: every one present, the trajectory table
// sound, the pictures at the sizes pictures.md promises, and a rebuild that
// leaves the shop's own tables exactly as they were.

#include "GeneratedRunFolder.h"
#include "Numbers.h"
#include "TableStore.h"
#include "TrajectoryRules.h"
#include "TrajectoryTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>

namespace quivra::gendata {
namespace {

namespace st = quivra::storage;
namespace fs = std::filesystem;

class DeliveredFiles : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::generatedRunFolder().empty()) GTEST_FAIL() << test::generatorError();
        m_run = test::generatedRunFolder();
    }
    fs::path m_run;
};

TEST_F(DeliveredFiles, EveryFileIsThere) {
    for (const char* name :
         {"HUNTCHRT.DBF", "Targchrt.dbf", "YouthChrt.dbf", "KSTRCHRT.dbf", "Specs.DBF", "specs.idx",
          "invsel.txt", "Saveddb.dbf", "Saveddb.fpt", "Saved.idx", "SHOPINFO.DBF", "Newtraj.dbf"})
        EXPECT_TRUE(fs::exists(m_run / name)) << name;
    EXPECT_FALSE(fs::exists(m_run / ".gen-data-staging"));
}

TEST_F(DeliveredFiles, InvalidSelectionTextIsOneShortLine) {
    std::ifstream in(m_run / "invsel.txt");
    std::string line;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_FALSE(line.empty());
    EXPECT_LE(line.size(), 150u);
}

TEST_F(DeliveredFiles, TrajectoryWindowContainsTheSightedDistance) {
    st::TableStore traj(m_run / "Newtraj.dbf");
    ASSERT_TRUE(traj.open());
    ASSERT_EQ(traj.recordCount(), 245u);
    std::map<std::pair<int, int>, int> lastVel;  // (v, d) -> VEL of the lighter class
    for (int w = 350; w <= 650; w += 50) {
        for (int v = 180; v <= 300; v += 20) {
            for (int d = 20; d <= 60; d += 10) {
                const int rec = calculators::trajectoryRecord(v, w, d);
                ASSERT_TRUE(traj.goTo(static_cast<std::uint32_t>(rec)));
                const int vel = *traj.fieldInt("VEL");
                const int low = *traj.fieldInt("LOW");
                const int high = *traj.fieldInt("HIGH");
                const std::string at = "record " + std::to_string(rec);
                EXPECT_GE(low, 1) << at;
                EXPECT_LE(low, d) << at;
                EXPECT_GE(high, d) << at;
                EXPECT_GT(vel, v * 0.75) << at;
                EXPECT_LT(vel, v) << at;
                auto& prev = lastVel[{v, d}];
                EXPECT_GE(vel, prev) << at << ": a heavier arrow lost more speed";
                prev = vel;
            }
        }
    }
}

// Width and height of a baseline or progressive JPEG, from its SOF segment.
std::pair<int, int> jpegSize(const fs::path& file) {
    const std::string b = test::readBytes(file);
    std::size_t i = 2;
    while (i + 9 < b.size()) {
        if (static_cast<unsigned char>(b[i]) != 0xFF) return {0, 0};
        const unsigned char marker = static_cast<unsigned char>(b[i + 1]);
        const std::size_t len =
            (static_cast<unsigned char>(b[i + 2]) << 8) | static_cast<unsigned char>(b[i + 3]);
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            const int h =
                (static_cast<unsigned char>(b[i + 5]) << 8) | static_cast<unsigned char>(b[i + 6]);
            const int w =
                (static_cast<unsigned char>(b[i + 7]) << 8) | static_cast<unsigned char>(b[i + 8]);
            return {w, h};
        }
        i += 2 + len;
    }
    return {0, 0};
}

TEST_F(DeliveredFiles, PicturesHaveTheNamesAndSizesTheListPromises) {
    std::ifstream doc(test::dataDir() / "pictures.md");
    ASSERT_TRUE(doc);
    // Table rows: | `name.jpg` [.. `name_3.jpg`] | W × H | ...
    const std::regex row(
        R"(^\| `([a-z_]+?)(_1)?\.jpg`( \.\. `[a-z_]+_(\d)\.jpg`)? \| (\d+) × (\d+) \|)");
    std::string line;
    int checked = 0;
    while (std::getline(doc, line)) {
        std::smatch m;
        if (!std::regex_search(line, m, row)) continue;
        const int frames = m[4].matched ? std::stoi(m[4]) : 1;
        for (int f = 1; f <= frames; ++f) {
            const std::string name =
                m[1].str() + (m[2].matched || frames > 1 ? "_" + std::to_string(f) : "") + ".jpg";
            const auto size = jpegSize(m_run / "pictures" / name);
            EXPECT_EQ(size.first, std::stoi(m[5])) << name;
            EXPECT_EQ(size.second, std::stoi(m[6])) << name;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 35);
}

class Rebuild : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = test::makeTempFolder("rebuild");
        ASSERT_FALSE(m_dir.empty());
        ASSERT_EQ(test::runGenerator(m_dir), 0);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    fs::path m_dir;
};

TEST_F(Rebuild, LeavesTheShopsOwnTablesByteForByte) {
    {
        st::TableStore saved(m_dir / "Saveddb.dbf");
        ASSERT_TRUE(saved.open());
        ASSERT_TRUE(saved.appendBlank());
        ASSERT_TRUE(saved.setFieldText("NAME", "Avery Quill"));
        ASSERT_TRUE(saved.setFieldText("COMMENTS", "Prefers 125 grain heads.\r\nLeft-handed."));
        ASSERT_TRUE(saved.post());
        st::TableStore shop(m_dir / "SHOPINFO.DBF");
        ASSERT_TRUE(shop.open());
        ASSERT_TRUE(shop.edit());
        ASSERT_TRUE(shop.setFieldText("PHONE", "(555) 010-9999"));
        ASSERT_TRUE(shop.post());
    }
    const char* own[] = {"Saveddb.dbf", "Saveddb.fpt", "Saved.idx", "SHOPINFO.DBF"};
    std::map<std::string, std::string> before;
    for (const char* f : own) before[f] = test::readBytes(m_dir / f);
    ASSERT_EQ(test::runGenerator(m_dir), 0);
    for (const char* f : own) EXPECT_EQ(test::readBytes(m_dir / f), before[f]) << f;
}

TEST_F(Rebuild, RewritesOnlyChangedReferenceFiles) {
    const auto specsTime = fs::last_write_time(m_dir / "Specs.DBF");
    const auto splashTime = fs::last_write_time(m_dir / "pictures" / "splash.jpg");
    const std::string hunt = test::readBytes(m_dir / "HUNTCHRT.DBF");
    fs::resize_file(m_dir / "HUNTCHRT.DBF", 100);  // a damaged reference table
    ASSERT_EQ(test::runGenerator(m_dir), 0);
    EXPECT_EQ(fs::last_write_time(m_dir / "Specs.DBF"), specsTime);
    EXPECT_EQ(fs::last_write_time(m_dir / "pictures" / "splash.jpg"), splashTime);
    EXPECT_EQ(test::readBytes(m_dir / "HUNTCHRT.DBF").size(), hunt.size());
}

TEST_F(Rebuild, MissingSavedIndexIsBuiltFromTheExistingTable) {
    {
        st::TableStore saved(m_dir / "Saveddb.dbf");
        ASSERT_TRUE(saved.open());
        for (const char* name : {"Morgan Fletch", "Dana Bowyer"}) {
            ASSERT_TRUE(saved.appendBlank());
            ASSERT_TRUE(saved.setFieldText("NAME", name));
            ASSERT_TRUE(saved.post());
        }
    }
    fs::remove(m_dir / "Saved.idx");
    const std::string table = test::readBytes(m_dir / "Saveddb.dbf");
    ASSERT_EQ(test::runGenerator(m_dir), 0);
    EXPECT_EQ(test::readBytes(m_dir / "Saveddb.dbf"), table);
    st::TableStore saved(m_dir / "Saveddb.dbf");
    ASSERT_TRUE(saved.open());
    ASSERT_TRUE(saved.selectIndex(m_dir / "Saved.idx"));
    auto found = saved.seek("Dana");
    ASSERT_TRUE(found.isOk());
    EXPECT_TRUE(*found);
    EXPECT_EQ(saved.recNo(), 2u);
}

TEST_F(Rebuild, ARelativeRunFolderIsTheFolderBelowTheWorkingDirectory) {
    const std::string cmd = "cd \"" + m_dir.string() + "\" && \"" + QUIVRA_GEN_DATA_EXE +
                            "\" build \"" + test::dataDir().string() + "\" sub > /dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_TRUE(fs::exists(m_dir / "sub" / "specs.idx"));
    EXPECT_TRUE(fs::exists(m_dir / "sub" / "Saved.idx"));
}

TEST_F(Rebuild, AMemoFileWithoutItsTableIsLeftAlone) {
    fs::remove(m_dir / "Saveddb.dbf");
    fs::remove(m_dir / "Saved.idx");
    const std::string memo = test::readBytes(m_dir / "Saveddb.fpt");
    ASSERT_EQ(test::runGenerator(m_dir), 0);
    EXPECT_FALSE(fs::exists(m_dir / "Saveddb.dbf"));
    EXPECT_EQ(test::readBytes(m_dir / "Saveddb.fpt"), memo);
}

}  // namespace
}  // namespace quivra::gendata
