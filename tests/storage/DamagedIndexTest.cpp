// Indexes damaged in ways a key count does not show: a node without keys,
// keys out of order, a key length that does not fit the expression.  Either
// the select refuses the index or the seek that meets the fault says so; a
// damaged index never answers "not found" for a record that is there.
#include "Coding.h"
#include "IndexTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace quivra::storage::test {
namespace {

using Code = Status::Code;

// 100 records named N100..N199 in order, so the index built from them puts
// 14 keys in each leaf, leaves left to right from offset 512.
class DamagedIndexTest : public ::testing::Test {
protected:
    static constexpr std::size_t kKeyLength = 30;
    static constexpr std::size_t kEntry = kKeyLength + 4;

    void SetUp() override {
        ASSERT_OK(TableStore::create(m_table, nameFields()));
        TableStore t(m_table);
        ASSERT_OK(t.open());
        for (int i = 0; i < 100; ++i)
            ASSERT_OK(appendRecord(t, {{"NAME", "N" + std::to_string(100 + i)}}));
        ASSERT_OK(t.createIndex(m_index, "NAME"));
    }

    void damage(const std::function<void(std::string&)>& change) {
        std::string bytes = readFile(m_index);
        change(bytes);
        writeFile(m_index, bytes);
    }
    // Leaf `n` (0-based) of the freshly built index.
    static std::size_t leaf(std::size_t n) { return 512 + 512 * n; }

    // Select and, when the select accepts the index, a seek of `name`: one of
    // them must report the damage, naming the index file.
    void expectDamageReported(const std::string& name, const std::string& mention) {
        TableStore t(m_table);
        ASSERT_OK(t.open());
        Status s = t.selectIndex(m_index);
        if (s) {
            auto found = t.seek(name);
            ASSERT_FALSE(found.isOk() && !*found) << name << " reported as not found";
            s = found.status();
        }
        EXPECT_EQ(s.code(), Code::Corruption) << s.message();
        EXPECT_NE(s.message().find("Saved.idx"), std::string::npos) << s.message();
        EXPECT_NE(s.message().find(mention), std::string::npos) << s.message();
    }

    TempDir m_dir;
    std::filesystem::path m_table = m_dir / "Saveddb.dbf";
    std::filesystem::path m_index = m_dir / "Saved.idx";
};

TEST_F(DamagedIndexTest, LeafWithoutKeysInTheMiddle) {
    damage([](std::string& b) { coding::putLe16(b.data() + leaf(3) + 2, 0); });
    expectDamageReported("N145", "no keys");
}

TEST_F(DamagedIndexTest, FirstLeafWithoutKeys) {
    damage([](std::string& b) { coding::putLe16(b.data() + leaf(0) + 2, 0); });
    expectDamageReported("N101", "no keys");
}

TEST_F(DamagedIndexTest, KeysOutOfOrderInALeaf) {
    damage([](std::string& b) {
        const std::size_t first = leaf(3) + 12;
        std::swap_ranges(b.begin() + static_cast<std::ptrdiff_t>(first),
                         b.begin() + static_cast<std::ptrdiff_t>(first + kKeyLength),
                         b.begin() + static_cast<std::ptrdiff_t>(first + 5 * kEntry));
    });
    expectDamageReported("N142", "order");
}

TEST_F(DamagedIndexTest, InteriorKeyTooLowSendsTheSearchPastItsLeaf) {
    // The root's entry for leaf 3 says it ends on N143 while it holds up to
    // N155: a seek of N150 lands in leaf 4.
    damage([](std::string& b) {
        const std::size_t root = coding::getLe32(b.data());
        b.replace(root + 12 + 3 * kEntry, 4, "N143");
    });
    expectDamageReported("N150", "order");
}

TEST_F(DamagedIndexTest, KeyLengthThatDoesNotFitTheExpression) {
    damage([](std::string& b) { coding::putLe16(b.data() + 12, 20); });
    expectDamageReported("N145", "key length");
}

TEST_F(DamagedIndexTest, LastLeafWithARightSibling) {
    damage([](std::string& b) { coding::putLe32(b.data() + leaf(7) + 8, 512); });
    expectDamageReported("N199", "sibling");
}

TEST_F(DamagedIndexTest, SoundIndexPassesTheCheckAfterManyPosts) {
    TableStore t(m_table, noSyncIo());
    ASSERT_OK(t.open());
    ASSERT_OK(t.selectIndex(m_index));
    for (int i = 0; i < 400; ++i) {
        ASSERT_OK(appendRecord(t, {{"NAME", "M" + std::to_string((i * 7919) % 1000)}}));
        if (i % 5 == 0) {
            ASSERT_OK(t.goTo(static_cast<std::uint32_t>(1 + (i * 31) % 100)));
            ASSERT_OK(t.edit());
            ASSERT_OK(t.setFieldText("NAME", "A" + std::to_string(i)));
            ASSERT_OK(t.post());
        }
    }
    TableStore again(m_table);
    ASSERT_OK(again.open());
    ASSERT_OK(again.selectIndex(m_index));
    EXPECT_TRUE(again.seek("A395").valueOr(false));
    EXPECT_OK(verifyIndex(m_table, m_index));
}

}  // namespace
}  // namespace quivra::storage::test
