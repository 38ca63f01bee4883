// Index operations through the table handle: select, seek, key order, live
// maintenance, recovery from a crash between table and index writes, and
// damaged index files.

#include "IndexTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include "Coding.h"

#include <functional>
#include <random>

namespace quivra::storage::test {
namespace {

class IndexStore : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_OK(TableStore::create(m_dir / "Saveddb.dbf", nameFields()));
        m_table = std::make_unique<TableStore>(m_dir / "Saveddb.dbf", noSyncIo());
        ASSERT_OK(m_table->open());
    }
    void add(const std::vector<std::string>& names) {
        for (const std::string& n : names) {
            ASSERT_OK(appendRecord(*m_table, {{"NAME", n}, {"BOWWT", "60"}}));
            m_names.push_back(n);
        }
    }
    std::string name() { return m_table->fieldText("NAME").valueOr("?"); }
    std::filesystem::path idx() const { return m_dir / "Saved.idx"; }

    TempDir m_dir;
    std::unique_ptr<TableStore> m_table;
    std::vector<std::string> m_names;
};

const std::vector<std::string> kNames = {"Smith", "Adams",   "Smythe", "Sm",
                                         "smith", "Smalley", "Zoe",    "Adams"};

TEST_F(IndexStore, MissingIndexFileGivesTheEngineMessage) {
    const Status s = m_table->selectIndex("Saved.idx");
    EXPECT_EQ(s.code(), Status::Code::NotFound);
    EXPECT_EQ(s.message(), "Index file does not exist.\rFile: Saved.idx");
    EXPECT_FALSE(m_table->hasIndex());
}

TEST_F(IndexStore, SeekFindsTheFirstKeyBeginningWithTheTextAsTyped) {
    add(kNames);
    ASSERT_OK(m_table->createIndex("Saved.idx", "NAME"));
    ASSERT_OK(m_table->selectIndex("Saved.idx"));
    struct Case {
        const char* text;
        bool found;
        const char* name;
    };
    for (const Case& c :
         {Case{"Sm", true, "Sm"}, Case{"Smi", true, "Smith"}, Case{"Sma", true, "Smalley"},
          Case{"smi", true, "smith"}, Case{"Adams", true, "Adams"}, Case{"", true, "Adams"},
          Case{"SMI", false, ""}, Case{"Zz", false, ""}, Case{"Smithers", false, ""}}) {
        auto found = m_table->seek(c.text);
        ASSERT_TRUE(found.isOk()) << found.status().message();
        EXPECT_EQ(*found, c.found) << c.text;
        if (c.found) {
            std::string expected = c.name;
            expected.resize(30, ' ');
            EXPECT_EQ(name(), expected) << c.text;
        } else {
            EXPECT_TRUE(m_table->eof()) << c.text;
            EXPECT_EQ(name(), std::string(30, ' '));
            EXPECT_EQ(m_table->fieldInt("BOWWT").valueOr(-1), 0);
        }
    }
    // Equal keys: the first in record order.
    ASSERT_TRUE(m_table->seek("Adams").valueOr(false));
    EXPECT_EQ(m_table->recNo(), 2U);
}

TEST_F(IndexStore, KeyOfSizeAndSpineIsFoundBySizeFollowedBySpine) {
    for (const auto& [size, spine] : std::vector<std::pair<std::string, std::string>>{
             {"2213", "400"}, {"2213", "340"}, {"1916", "500"}, {"2413", "300"}}) {
        ASSERT_OK(appendRecord(*m_table, {{"SIZE", size}, {"SPINEKEY", spine}}));
    }
    ASSERT_OK(m_table->createIndex("specs.idx", "TRIM(SIZE)+SPINEKEY"));
    ASSERT_OK(m_table->selectIndex("specs.idx"));
    ASSERT_TRUE(m_table->seek("2213400").valueOr(false));
    EXPECT_EQ(m_table->recNo(), 1U);
    ASSERT_TRUE(m_table->seek("2213340").valueOr(false));
    EXPECT_EQ(m_table->recNo(), 2U);
    EXPECT_FALSE(m_table->seek("2213500").valueOr(true));
    EXPECT_TRUE(m_table->eof());
}

TEST_F(IndexStore, NavigationFollowsKeyOrderAndGoToKeepsIt) {
    add(kNames);
    ASSERT_OK(m_table->createIndex("Saved.idx", "NAME"));
    ASSERT_OK(m_table->selectIndex("Saved.idx"));
    const auto sorted = sortedByName(m_names);
    EXPECT_EQ(walkForward(*m_table), sorted);
    auto reversed = sorted;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(walkBackward(*m_table), reversed);
    ASSERT_OK(m_table->goTo(1));  // "Smith": key order goes on with "Smythe"
    ASSERT_OK(m_table->next());
    EXPECT_EQ(m_table->recNo(), 3U);
    ASSERT_OK(m_table->first());
    ASSERT_OK(m_table->previous());
    EXPECT_TRUE(m_table->bof());
    EXPECT_EQ(m_table->recNo(), 2U);
    m_table->closeIndexes();
    EXPECT_FALSE(m_table->hasIndex());
    ASSERT_OK(m_table->first());
    EXPECT_EQ(m_table->recNo(), 1U);
}

TEST_F(IndexStore, ABareIndexNameIsLookedForBesideTheTable) {
    add(kNames);
    ASSERT_OK(m_table->createIndex("Saved.idx", "NAME"));
    EXPECT_TRUE(std::filesystem::exists(idx()));
    // A path with a folder is taken as given, relative to the current folder.
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(m_dir.path().parent_path());
    const std::filesystem::path relative = m_dir.path().filename() / "Saved.idx";
    const Status s = m_table->selectIndex(relative);
    std::filesystem::current_path(cwd);
    ASSERT_OK(s);
    EXPECT_TRUE(m_table->seek("Smy").valueOr(false));
}

TEST_F(IndexStore, SelectingTheSameIndexAgainKeepsThePosition) {
    add(kNames);
    ASSERT_OK(m_table->createIndex("Saved.idx", "NAME"));
    ASSERT_OK(m_table->selectIndex("Saved.idx"));
    ASSERT_TRUE(m_table->seek("Smy").valueOr(false));
    ASSERT_OK(m_table->selectIndex("Saved.idx"));
    ASSERT_OK(m_table->selectIndex(idx()));
    EXPECT_EQ(m_table->recNo(), 3U);
    EXPECT_TRUE(m_table->hasIndex());
}

TEST_F(IndexStore, PostsKeepTheIndexCurrentThroughSplitsAndMoves) {
    add({"seed"});
    ASSERT_OK(m_table->createIndex("Saved.idx", "NAME"));
    ASSERT_OK(m_table->selectIndex("Saved.idx"));
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> letter('A', 'Z');
    std::vector<std::string> fresh;
    for (int i = 0; i < 1500; ++i) {  // 14 keys a node: three levels
        std::string n;
        for (int k = 0; k < 6; ++k) n += static_cast<char>(letter(rng));
        fresh.push_back(i % 7 == 0 ? "Dup" : n);
    }
    add(fresh);
    EXPECT_OK(verifyIndex(m_dir / "Saveddb.dbf", idx()));
    // Seek straight after each post found what was posted.
    ASSERT_TRUE(m_table->seek(fresh[1499]).valueOr(false));
    EXPECT_EQ(walkForward(*m_table), sortedByName(m_names));

    // Edits that move keys, including a run that empties whole leaves.
    std::uniform_int_distribution<std::uint32_t> pick(1,
                                                      static_cast<std::uint32_t>(m_names.size()));
    for (int i = 0; i < 300; ++i) {
        const std::uint32_t r = i < 100 ? static_cast<std::uint32_t>(i + 2) : pick(rng);
        ASSERT_OK(m_table->goTo(r));
        ASSERT_OK(m_table->edit());
        const std::string n = "Moved" + std::to_string(i);
        ASSERT_OK(m_table->setFieldText("NAME", n));
        ASSERT_OK(m_table->post());
        m_names[r - 1] = n;
        ASSERT_TRUE(m_table->seek(n).valueOr(false));
        ASSERT_EQ(m_table->recNo(), r);
    }
    EXPECT_OK(verifyIndex(m_dir / "Saveddb.dbf", idx()));
    EXPECT_EQ(walkForward(*m_table), sortedByName(m_names));
    // An edit that keeps the key leaves the index alone.
    ASSERT_OK(m_table->goTo(5));
    ASSERT_OK(m_table->edit());
    ASSERT_OK(m_table->setFieldText("BOWWT", "70"));
    ASSERT_OK(m_table->post());
    EXPECT_OK(verifyIndex(m_dir / "Saveddb.dbf", idx()));
}

TEST_F(IndexStore, AnotherHandleSeesKeysPostedThroughThisOne) {
    add(kNames);
    ASSERT_OK(m_table->createIndex("Saved.idx", "NAME"));
    ASSERT_OK(m_table->selectIndex("Saved.idx"));
    TableStore other(m_dir / "Saveddb.dbf", noSyncIo());
    ASSERT_OK(other.open());
    ASSERT_OK(other.selectIndex("Saved.idx"));
    EXPECT_FALSE(other.seek("Quill").valueOr(true));
    add({"Quill"});
    ASSERT_TRUE(other.seek("Quill").valueOr(false));
    EXPECT_EQ(other.recNo(), 9U);
    // An edit through the other handle moves the key for this one too.
    ASSERT_OK(other.edit());
    ASSERT_OK(other.setFieldText("NAME", "Aardvark"));
    ASSERT_OK(other.post());
    ASSERT_OK(m_table->first());
    EXPECT_EQ(m_table->recNo(), 9U);
    ASSERT_OK(m_table->next());
    EXPECT_EQ(m_table->recNo(), 2U);
}

TEST_F(IndexStore, WideKeysMakeADeepTreeThatStaysInOrder) {
    // 100-byte keys: four to a node, so 400 records need five levels and
    // every kind of split, including the root's, happens many times.
    ASSERT_OK(m_table->createIndex("Saved.idx", "PADR(NAME,100)"));
    ASSERT_OK(m_table->selectIndex("Saved.idx"));
    std::mt19937 rng(5);
    std::vector<std::string> names;
    for (int i = 0; i < 400; ++i) names.push_back("W" + std::to_string(rng() % 1000));
    add(names);
    for (std::uint32_t r = 1; r <= 400; r += 3) {  // move a third of them to the front
        ASSERT_OK(m_table->goTo(r));
        ASSERT_OK(m_table->edit());
        ASSERT_OK(m_table->setFieldText("NAME", "A" + std::to_string(r)));
        ASSERT_OK(m_table->post());
        m_names[r - 1] = "A" + std::to_string(r);
    }
    EXPECT_OK(verifyIndex(m_dir / "Saveddb.dbf", idx()));
    EXPECT_EQ(walkForward(*m_table), sortedByName(m_names));
}

TEST_F(IndexStore, RecordsAddedWhileTheIndexWasClosedAreFoundAfterSelect) {
    add(kNames);
    ASSERT_OK(m_table->createIndex("Saved.idx", "NAME"));
    add({"Quill"});  // no index selected: Saved.idx misses it, as after a crash
    EXPECT_FALSE(verifyIndex(m_dir / "Saveddb.dbf", idx()).isOk());
    ASSERT_OK(m_table->selectIndex("Saved.idx"));
    ASSERT_TRUE(m_table->seek("Quill").valueOr(false));
    EXPECT_EQ(m_table->recNo(), 9U);
    EXPECT_OK(verifyIndex(m_dir / "Saveddb.dbf", idx()));
}

TEST_F(IndexStore, AChangeCutOffMidwayIsRebuiltOnSelect) {
    add(kNames);
    ASSERT_OK(m_table->createIndex("Saved.idx", "NAME"));
    std::string bytes = readFile(idx());
    bytes[476] = '\1';  // the busy mark a crash leaves behind
    writeFile(idx(), bytes);
    EXPECT_FALSE(verifyIndex(m_dir / "Saveddb.dbf", idx()).isOk());
    ASSERT_OK(m_table->selectIndex("Saved.idx"));
    EXPECT_OK(verifyIndex(m_dir / "Saveddb.dbf", idx()));
}

TEST_F(IndexStore, AnEditMarkedBeforeTheTableWriteIsRebuiltWhenItsIndexChangeNeverCame) {
    add(kNames);
    ASSERT_OK(m_table->createIndex("Saved.idx", "NAME"));
    {
        // What a post does before rewriting record 1, then the record changes
        // and the index change never comes (a crash, a failed write).
        auto file = TableFile::open(m_dir / "Saveddb.dbf", FileIo::posix());
        ASSERT_TRUE(file.isOk());
        auto index = IndexFile::open(idx(), FileIo::posix(), **file);
        ASSERT_TRUE(index.isOk());
        ASSERT_OK((*index)->prepareEdit());
        TableStore other(m_dir / "Saveddb.dbf");
        ASSERT_OK(other.open());
        ASSERT_OK(other.goTo(1));
        ASSERT_OK(other.edit());
        ASSERT_OK(other.setFieldText("NAME", "Quill"));
        ASSERT_OK(other.post());
    }
    ASSERT_OK(m_table->selectIndex("Saved.idx"));
    ASSERT_TRUE(m_table->seek("Quill").valueOr(false));
    EXPECT_EQ(m_table->recNo(), 1U);
    EXPECT_OK(verifyIndex(m_dir / "Saveddb.dbf", idx()));
}

TEST_F(IndexStore, AMarkedEditThatKeepsTheKeyClearsTheMark) {
    add(kNames);
    ASSERT_OK(m_table->createIndex("Saved.idx", "NAME"));
    auto file = TableFile::open(m_dir / "Saveddb.dbf", FileIo::posix());
    ASSERT_TRUE(file.isOk());
    auto index = IndexFile::open(idx(), FileIo::posix(), **file);
    ASSERT_TRUE(index.isOk());
    std::string record;
    ASSERT_OK((*file)->readRecord(2, record));
    ASSERT_OK((*index)->prepareEdit());
    EXPECT_FALSE(verifyIndex(m_dir / "Saveddb.dbf", idx()).isOk());
    ASSERT_OK((*index)->recordChanged(2, record, record));
    EXPECT_OK(verifyIndex(m_dir / "Saveddb.dbf", idx()));
}

TEST_F(IndexStore, RebuildReplacesTheFileAndLeavesNoTemporaryFile) {
    add(kNames);
    ASSERT_OK(m_table->createIndex("Saved.idx", "UPPER(NAME)"));
    ASSERT_OK(m_table->selectIndex("Saved.idx"));
    ASSERT_OK(m_table->rebuildIndex());
    EXPECT_TRUE(m_table->seek("SMI").valueOr(false));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(m_dir.path()))
        ++files;
    EXPECT_EQ(files, 2U);
    m_table->closeIndexes();
    EXPECT_EQ(m_table->rebuildIndex().code(), Status::Code::InvalidArgument);
    EXPECT_EQ(m_table->seek("x").status().code(), Status::Code::InvalidArgument);
}

TEST_F(IndexStore, KeyExpressionOutsideTheSubsetIsRefusedByName) {
    add(kNames);
    const Status s = m_table->createIndex("Saved.idx", "STR(BOWWT)");
    EXPECT_EQ(s.code(), Status::Code::Unsupported);
    EXPECT_NE(s.message().find("STR()"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(idx()));
}

TEST_F(IndexStore, EmptyTableHasAnEmptyIndex) {
    ASSERT_OK(m_table->createIndex("Saved.idx", "NAME"));
    ASSERT_OK(m_table->selectIndex("Saved.idx"));
    EXPECT_FALSE(m_table->seek("").valueOr(true));
    ASSERT_OK(m_table->first());
    EXPECT_TRUE(m_table->eof());
    add({"First"});
    ASSERT_TRUE(m_table->seek("Fi").valueOr(false));
    EXPECT_OK(verifyIndex(m_dir / "Saveddb.dbf", idx()));
}

// Damage at chosen offsets of a two-level index (so links can loop).
struct Damage {
    const char* label;
    std::function<void(std::string&)> apply;
};

class DamagedIndex : public IndexStore, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedIndex, GivesAClearErrorNamingTheFile) {
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) names.push_back("N" + std::to_string(100 + i));
    add(names);
    ASSERT_OK(m_table->createIndex("Saved.idx", "NAME"));
    std::string bytes = readFile(idx());
    GetParam().apply(bytes);
    writeFile(idx(), bytes);
    Status s = m_table->selectIndex("Saved.idx");
    if (s) {
        // Opening may succeed; using it must then fail cleanly.
        s = m_table->first();
        if (s) s = m_table->last();
        if (s) s = m_table->seek("N13").status();
        if (s) s = verifyIndex(m_dir / "Saveddb.dbf", idx());
    }
    ASSERT_FALSE(s.isOk());
    EXPECT_NE(s.message().find("Saved.idx"), std::string::npos) << s.message();
}

// Layout written for 40 keys of 30 bytes: leaves at 512, 1024, 1536 (14, 14, 12
// keys) and the root at 2048.
INSTANTIATE_TEST_SUITE_P(
    Bytes, DamagedIndex,
    ::testing::Values(
        Damage{"RootPointsIntoHeader", [](std::string& b) { coding::putLe32(b.data(), 100); }},
        Damage{"RootBeyondEnd", [](std::string& b) { coding::putLe32(b.data(), 1U << 20); }},
        Damage{"ChildIsItsParent",
               [](std::string& b) { coding::putBe32(b.data() + 2048 + 12 + 30, 2048); }},
        Damage{"LeafChainLoops", [](std::string& b) { coding::putLe32(b.data() + 1024 + 8, 512); }},
        Damage{"KeyCountTooLarge",
               [](std::string& b) { coding::putLe16(b.data() + 512 + 2, 200); }},
        Damage{"RecordOutOfRange",
               [](std::string& b) { coding::putBe32(b.data() + 512 + 12 + 30, 999); }},
        Damage{"KeysOutOfOrder", [](std::string& b) { b[512 + 12] = 'Z'; }},
        Damage{"Truncated", [](std::string& b) { b.resize(1000); }},
        Damage{"ExpressionForeignToTable",
               [](std::string& b) { b.replace(16, 5, std::string("CITY\0", 5)); }}),
    [](const auto& param) { return std::string(param.param.label); });

}  // namespace
}  // namespace quivra::storage::test
