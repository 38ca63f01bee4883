// Tables whose file disagrees with its header, or whose bytes other readers
// refuse: opened for reading only, the damage reported naming the file and
// what is wrong, and nothing written into them, so no save can make the
// damage permanent.
#include "TableStore.h"

#include "Coding.h"
#include "TempDir.h"
#include "TestTables.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

namespace quivra::storage::test {
namespace {

using Code = Status::Code;

// A table of ours with three records (one with a memo) and its raw bytes.
class TableDamageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_OK(TableStore::create(m_file, customerFields()));
        TableStore t(m_file);
        ASSERT_OK(t.open());
        ASSERT_OK(appendRecord(t, {{"NAME", "Ann"}, {"BOWWT", "50.5"}, {"COMMENTS", "memo one"}}));
        ASSERT_OK(appendRecord(t, {{"NAME", "Bob"}, {"ACTIVE", "T"}}));
        ASSERT_OK(appendRecord(t, {{"NAME", "Cy"}, {"COMMENTS", "memo three"}}));
        t.close();
        m_bytes = readFile(m_file);
        m_header = coding::getLe16(m_bytes.data() + 8);
        m_record = coding::getLe16(m_bytes.data() + 10);
    }

    void damage(const std::function<void(std::string&)>& change) {
        change(m_bytes);
        writeFile(m_file, m_bytes);
    }
    [[nodiscard]] std::size_t recordAt(std::uint32_t recNo) const {
        return m_header + (recNo - 1) * m_record;
    }

    // Opens the damaged table: it must open, say what is wrong naming the
    // file, and refuse every write and the export without touching a byte.
    void expectReadOnlyWithDamage(const std::string& mention) {
        const std::string dbf = readFile(m_file);
        const std::string fpt = readFile(m_dir / "Saveddb.fpt");
        TableStore t(m_file);
        ASSERT_OK(t.open());
        const Status damage = t.damage();
        EXPECT_EQ(damage.code(), Code::Corruption) << damage.message();
        EXPECT_NE(damage.message().find("Saveddb.dbf"), std::string::npos) << damage.message();
        EXPECT_NE(damage.message().find(mention), std::string::npos) << damage.message();

        EXPECT_FALSE(t.appendBlank().isOk());
        EXPECT_EQ(t.editState(), EditState::Browse);
        if (!t.eof()) {
            EXPECT_FALSE(t.edit().isOk());
        }
        const Status exported = t.copyToText(m_dir / "custdb.txt", 21);
        EXPECT_EQ(exported.code(), Code::Corruption) << exported.message();
        EXPECT_FALSE(std::filesystem::exists(m_dir / "custdb.txt"));
        t.close();
        EXPECT_EQ(readFile(m_file), dbf);
        EXPECT_EQ(readFile(m_dir / "Saveddb.fpt"), fpt);
    }

    TempDir m_dir;
    std::filesystem::path m_file = m_dir / "Saveddb.dbf";
    std::string m_bytes;
    std::size_t m_header = 0;
    std::size_t m_record = 0;
};

TEST_F(TableDamageTest, FileCutInsideARecord) {
    damage([&](std::string& b) { b.resize(recordAt(3) + 7); });
    expectReadOnlyWithDamage("cut");
    TableStore t(m_file);
    ASSERT_OK(t.open());
    EXPECT_EQ(t.recordCount(), 2U);  // the whole records still read
}

TEST_F(TableDamageTest, CountBelowTheRecordsOnFile) {
    damage([](std::string& b) { coding::putLe32(b.data() + 4, 0); });
    expectReadOnlyWithDamage("3 whole records");
}

TEST_F(TableDamageTest, CountOneBelowTheRecordsOnFile) {
    damage([](std::string& b) { coding::putLe32(b.data() + 4, 2); });
    expectReadOnlyWithDamage("beyond");
}

TEST_F(TableDamageTest, BytesAfterTheEndMarker) {
    damage([](std::string& b) { b += "garbage"; });
    expectReadOnlyWithDamage("after");
}

TEST_F(TableDamageTest, DeletedFlagThatIsNeitherBlankNorStar) {
    damage([&](std::string& b) { b[recordAt(2)] = 'X'; });
    // Found when the record is read: the export meets it.
    TableStore t(m_file);
    ASSERT_OK(t.open());
    const Status exported = t.copyToText(m_dir / "custdb.txt", 21);
    EXPECT_EQ(exported.code(), Code::Corruption) << exported.message();
    EXPECT_NE(exported.message().find("record 2"), std::string::npos) << exported.message();
    EXPECT_FALSE(std::filesystem::exists(m_dir / "custdb.txt"));
    EXPECT_FALSE(t.damage().isOk());
    EXPECT_FALSE(t.appendBlank().isOk());
}

TEST_F(TableDamageTest, DeletedFlagOfTheFirstOrLastRecordIsSeenOnOpen) {
    damage([&](std::string& b) { b[recordAt(3)] = '\0'; });
    expectReadOnlyWithDamage("record 3");
}

TEST_F(TableDamageTest, HeaderLengthOneTooLarge) {
    damage(
        [](std::string& b) { coding::putLe16(b.data() + 8, coding::getLe16(b.data() + 8) + 1); });
    expectReadOnlyWithDamage("header length");
}

// The descriptor of field `n` (0-based).
std::size_t descriptor(std::size_t n) {
    return 32 + 32 * n;
}

TEST_F(TableDamageTest, UnknownFieldType) {
    damage([](std::string& b) { b[descriptor(1) + 11] = 'Z'; });
    expectReadOnlyWithDamage("type Z");
}

TEST_F(TableDamageTest, ImpossibleDecimals) {
    damage([](std::string& b) { b[descriptor(2) + 17] = '\xFF'; });
    expectReadOnlyWithDamage("decimals");
}

TEST_F(TableDamageTest, TwoFieldsOfOneName) {
    damage([](std::string& b) { std::copy_n("NAME\0\0\0\0\0\0", 10, b.data() + descriptor(1)); });
    expectReadOnlyWithDamage("NAME");
}

TEST_F(TableDamageTest, MemoBlockOfAnUnknownType) {
    std::string memo = readFile(m_dir / "Saveddb.fpt");
    // The first memo starts right after the 512-byte header (64-byte blocks).
    coding::putBe32(memo.data() + 512, 7);
    writeFile(m_dir / "Saveddb.fpt", memo);
    TableStore t(m_file);
    ASSERT_OK(t.open());
    auto text = t.fieldText("COMMENTS");
    EXPECT_EQ(text.status().code(), Code::Corruption) << text.valueOr("(read)");
    EXPECT_NE(text.status().message().find("type 7"), std::string::npos) << text.status().message();
}

TEST_F(TableDamageTest, SoundTableOpenedWhileAnotherProcessAppendsIsNeverDamaged) {
    // An append writes the record before the count: a reader that opens in
    // between must not take the record beyond the count for damage.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TableStore writer(m_file);
        if (!writer.open()) _exit(2);
        for (int i = 0;; ++i) {
            if (!appendRecord(writer, {{"NAME", "W" + std::to_string(i)}})) _exit(3);
        }
    }
    int damaged = 0;
    for (int i = 0; i < 300; ++i) {
        TableStore reader(m_file);
        ASSERT_OK(reader.open());
        if (!reader.damage()) {
            ++damaged;
            ADD_FAILURE() << reader.damage().message();
        }
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the writer stopped with " << WEXITSTATUS(status);
    EXPECT_EQ(damaged, 0);
}

}  // namespace
}  // namespace quivra::storage::test
