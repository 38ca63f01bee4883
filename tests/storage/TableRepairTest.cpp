// Repairing a damaged table: a dated backup of every file first (never over
// an earlier one), every whole record kept, count and end marker right, the
// index rebuilt, and a cancel or a refusal that leaves every file as it was.
#include "TableRepair.h"

#include "Coding.h"
#include "IndexTestSupport.h"
#include "TableCheck.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace quivra::storage::test {
namespace {

using Code = Status::Code;

// 2026-03-07 14:35:02 in local time, the date of every backup here.
std::chrono::system_clock::time_point repairTime() {
    std::tm tm{};
    tm.tm_year = 2026 - 1900;
    tm.tm_mon = 2;
    tm.tm_mday = 7;
    tm.tm_hour = 14;
    tm.tm_min = 35;
    tm.tm_sec = 2;
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

std::map<std::string, std::string> folderContents(const std::filesystem::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        files[e.path().filename().string()] = readFile(e.path());
    }
    return files;
}

class TableRepairTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_OK(TableStore::create(m_table, customerFields()));
        TableStore t(m_table);
        ASSERT_OK(t.open());
        for (const char* name : {"Ann", "Bob", "Cy", "Dee"}) {
            ASSERT_OK(
                appendRecord(t, {{"NAME", name}, {"COMMENTS", std::string("memo of ") + name}}));
        }
        ASSERT_OK(t.createIndex(m_index, "NAME"));
        t.close();
        const std::string bytes = readFile(m_table);
        m_header = coding::getLe16(bytes.data() + 8);
        m_record = coding::getLe16(bytes.data() + 10);
    }

    void damage(const std::function<void(std::string&)>& change) {
        std::string bytes = readFile(m_table);
        change(bytes);
        writeFile(m_table, bytes);
    }
    [[nodiscard]] std::size_t recordAt(std::uint32_t recNo) const {
        return m_header + (recNo - 1) * m_record;
    }

    Result<RepairReport> repair(const ProgressFn& progress = {}) {
        return TableRepair::repair(m_table, {m_index}, FileIo::posix(), repairTime(), progress);
    }

    // The table is sound now: it opens without damage, passes the full
    // check, its index holds one key per record, and `names` are its
    // records in order, each with its memo.
    void expectSound(const std::vector<std::string>& names) {
        TableStore t(m_table);
        ASSERT_OK(t.open());
        EXPECT_OK(t.damage());
        auto file = TableFile::open(m_table, FileIo::posix());
        ASSERT_TRUE(file.isOk());
        EXPECT_OK(TableCheck::run(**file));
        EXPECT_OK(verifyIndex(m_table, m_index));
        ASSERT_EQ(t.recordCount(), names.size());
        for (std::uint32_t r = 1; r <= names.size(); ++r) {
            ASSERT_OK(t.goTo(r));
            std::string name = t.fieldText("NAME").valueOr("?");
            name.erase(name.find_last_not_of(' ') + 1);
            EXPECT_EQ(name, names[r - 1]);
        }
        ASSERT_OK(t.selectIndex(m_index));
        ASSERT_OK(appendRecord(t, {{"NAME", "Eve"}, {"COMMENTS", "after the repair"}}));
        EXPECT_TRUE(t.seek("Eve").valueOr(false));
    }

    TempDir m_dir;
    std::filesystem::path m_table = m_dir / "Saveddb.dbf";
    std::filesystem::path m_memo = m_dir / "Saveddb.fpt";
    std::filesystem::path m_index = m_dir / "Saved.idx";
    std::size_t m_header = 0;
    std::size_t m_record = 0;
};

TEST_F(TableRepairTest, CutTableKeepsItsWholeRecordsAndADatedBackupOfEveryFile) {
    damage([&](std::string& b) { b.resize(recordAt(4) + 11); });
    const auto before = folderContents(m_dir.path());
    auto report = repair();
    ASSERT_TRUE(report.isOk()) << report.status().message();
    EXPECT_EQ(report->kept, 3U);
    EXPECT_NE(report->text().find("Kept 3 records."), std::string::npos) << report->text();
    EXPECT_NE(report->text().find("Dropped 11 bytes after record 3"), std::string::npos)
        << report->text();
    EXPECT_NE(report->text().find("The header counted 4 records"), std::string::npos)
        << report->text();
    // The backup holds the damaged files byte for byte, dated, as a set.
    const std::vector<std::string> expected{"Saveddb-backup-2026-03-07-143502.dbf",
                                            "Saveddb-backup-2026-03-07-143502.fpt",
                                            "Saved-backup-2026-03-07-143502.idx"};
    ASSERT_EQ(report->backups.size(), 3U);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(report->backups[i].filename(), expected[i]);
    EXPECT_EQ(readFile(m_dir / expected[0]), before.at("Saveddb.dbf"));
    EXPECT_EQ(readFile(m_dir / expected[1]), before.at("Saveddb.fpt"));
    EXPECT_EQ(readFile(m_dir / expected[2]), before.at("Saved.idx"));
    expectSound({"Ann", "Bob", "Cy"});

    // Damaged and repaired again at the same moment: the first backup stays.
    damage([&](std::string& b) { coding::putLe32(b.data() + 4, 1); });
    auto again = repair();
    ASSERT_TRUE(again.isOk()) << again.status().message();
    EXPECT_EQ(again->backups.front().filename(), "Saveddb-backup-2026-03-07-143502-2.dbf");
    EXPECT_EQ(readFile(m_dir / expected[0]), before.at("Saveddb.dbf"));
}

TEST_F(TableRepairTest, CountTooLowKeepsTheRecordsBeyondIt) {
    damage([](std::string& b) { coding::putLe32(b.data() + 4, 0); });
    auto report = repair();
    ASSERT_TRUE(report.isOk()) << report.status().message();
    EXPECT_EQ(report->kept, 4U);
    expectSound({"Ann", "Bob", "Cy", "Dee"});
}

TEST_F(TableRepairTest, BadFlagsAndUnreadableMemosAreMendedAndReported) {
    damage([&](std::string& b) {
        b[recordAt(2)] = 'X';
        b.replace(recordAt(3) + 1 + 30 + 20 + 5 + 4 + 8 + 1, 10, "    999999");  // COMMENTS
        b += "trailing";
    });
    std::string memo = readFile(m_memo);
    coding::putBe32(memo.data(), 0x00FFFFFF);  // next free block far beyond the end
    writeFile(m_memo, memo);
    auto report = repair();
    ASSERT_TRUE(report.isOk()) << report.status().message();
    const std::string text = report->text();
    EXPECT_NE(text.find("Record 2 has the deleted flag X"), std::string::npos) << text;
    EXPECT_NE(text.find("kept as live records"), std::string::npos) << text;
    EXPECT_NE(text.find("Record 3, field COMMENTS"), std::string::npos) << text;
    EXPECT_NE(text.find("next free block"), std::string::npos) << text;
    EXPECT_NE(text.find("Dropped 9 bytes after record 4"), std::string::npos) << text;
    expectSound({"Ann", "Bob", "Cy", "Dee"});
    TableStore t(m_table);
    ASSERT_OK(t.open());
    ASSERT_OK(t.goTo(3));
    EXPECT_EQ(t.fieldText("COMMENTS").valueOr("?"), "");
    ASSERT_OK(t.goTo(4));
    EXPECT_EQ(t.fieldText("COMMENTS").valueOr("?"), "memo of Dee");
}

TEST_F(TableRepairTest, DamagedFieldDescriptionsAreNotRepairedAndNothingChanges) {
    damage([](std::string& b) { b[32 + 32 + 11] = 'Z'; });
    const auto before = folderContents(m_dir.path());
    auto report = repair();
    EXPECT_EQ(report.status().code(), Code::Unsupported);
    EXPECT_NE(report.status().message().find("field descriptions"), std::string::npos)
        << report.status().message();
    EXPECT_EQ(folderContents(m_dir.path()), before);
}

TEST_F(TableRepairTest, CancelAtAnyPointLeavesEveryFileAsItWas) {
    damage([&](std::string& b) { b.resize(recordAt(3) + 5); });
    const auto before = folderContents(m_dir.path());
    int calls = 0;
    ASSERT_TRUE(repair([&](std::uint64_t, std::uint64_t) { return ++calls, true; }).isOk());
    ASSERT_GT(calls, 2);
    // Back to the damaged files, then stop at each report in turn.
    for (int stopAt = 1; stopAt <= calls; ++stopAt) {
        for (const auto& e : std::filesystem::directory_iterator(m_dir.path())) {
            std::filesystem::remove(e.path());
        }
        for (const auto& [name, bytes] : before) writeFile(m_dir / name, bytes);
        int seen = 0;
        std::uint64_t last = 0;
        auto report = repair([&](std::uint64_t done, std::uint64_t total) {
            EXPECT_LE(done, total);
            EXPECT_GE(done, last);  // progress never goes back
            last = done;
            return ++seen < stopAt;
        });
        SCOPED_TRACE("stopped at report " + std::to_string(stopAt));
        EXPECT_EQ(report.status().code(), Code::Cancelled);
        EXPECT_EQ(folderContents(m_dir.path()), before);
    }
}

TEST_F(TableRepairTest, WaitsForAnotherWriterOnlyWithinItsBound) {
    damage([](std::string& b) { coding::putLe32(b.data() + 4, 2); });
    TableStore other(m_table);
    ASSERT_OK(other.open());
    auto file = TableFile::open(m_table, FileIo::posix());
    ASSERT_TRUE(file.isOk());
    TableFile::HeaderLock held(**file);  // as a post in another process holds it
    ASSERT_OK(held.status());
    auto report = TableRepair::repair(m_table, {m_index}, FileIo::posix(), repairTime(), {},
                                      std::chrono::milliseconds(100));
    EXPECT_EQ(report.status().code(), Code::Busy);
    EXPECT_EQ(report.status().message(),
              "Another copy of Quivra is saving to Saveddb.dbf. Try again in a moment.");
}

}  // namespace
}  // namespace quivra::storage::test
