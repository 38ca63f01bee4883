// The .idx byte layouts: round trips of what we write, hand-made compact
// nodes, and bytes that contradict the format.

#include "Coding.h"
#include "IdxLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace quivra::storage::idx {
namespace {

IdxHeader sampleHeader() {
    IdxHeader h;
    h.root = 0x1200;
    h.freeList = kNoNode;
    h.endOfFile = 0x1400;
    h.keyLength = 30;
    h.keyExpression = "UPPER(NAME)";
    h.stamp.valid = true;
    h.stamp.keyCount = 1234;
    h.stamp.generation = 7;
    return h;
}

TEST(IdxLayout, StandardHeaderRoundTrip) {
    const std::string bytes = encodeStandardHeader(sampleHeader());
    ASSERT_EQ(bytes.size(), kStandardHeaderSize);
    EXPECT_EQ(coding::getLe32(bytes.data()), 0x1200U);
    EXPECT_EQ(coding::getLe16(bytes.data() + 12), 30);
    EXPECT_EQ(bytes.substr(16, 12), std::string("UPPER(NAME)\0", 12));
    auto h = decodeHeader(bytes);
    ASSERT_TRUE(h.isOk()) << h.status().message();
    EXPECT_EQ(h->layout, Layout::Standard);
    EXPECT_EQ(h->root, 0x1200U);
    EXPECT_EQ(h->endOfFile, 0x1400U);
    EXPECT_EQ(h->keyExpression, "UPPER(NAME)");
    EXPECT_TRUE(h->stamp.valid);
    EXPECT_EQ(h->stamp.keyCount, 1234U);
    EXPECT_FALSE(h->stamp.busy);
}

TEST(IdxLayout, StampIsIgnoredOnceAnotherWriterMovedTheRoot) {
    std::string bytes = encodeStandardHeader(sampleHeader());
    coding::putLe32(bytes.data(), 0x1600);  // a writer that does not know the stamp
    auto h = decodeHeader(bytes);
    ASSERT_TRUE(h.isOk());
    EXPECT_FALSE(h->stamp.valid);
}

TEST(IdxLayout, StandardNodeRoundTripWithBigEndianValues) {
    IdxNode node;
    node.offset = 512;
    node.attributes = kLeafBit | kRootBit;
    node.keys =
        "abc"
        "abd";
    node.values = {1, 0x01020304};
    const std::string bytes = encodeStandardNode(node, 3);
    EXPECT_EQ(bytes.substr(12 + 7 + 3, 4), std::string("\x01\x02\x03\x04", 4));
    IdxHeader h;
    h.keyLength = 3;
    auto back = decodeNode(bytes, 512, h);
    ASSERT_TRUE(back.isOk());
    EXPECT_EQ(back->keys, node.keys);
    EXPECT_EQ(back->values, node.values);
    EXPECT_EQ(back->left, kNoNode);
    EXPECT_TRUE(back->isLeaf());
    EXPECT_TRUE(back->isRoot());
}

TEST(IdxLayout, CapacityFollowsTheKeyLength) {
    EXPECT_EQ(standardCapacity(30), 14U);  // what FoxPro puts in a node with 30-byte keys
    EXPECT_EQ(standardCapacity(100), 4U);
    EXPECT_EQ(standardCapacity(0), 0U);
    EXPECT_EQ(standardCapacity(241), 0U);
}

// A compact leaf of two 4-byte keys: "abcd" (record 5), then "ab  " sharing
// two bytes and ending in two blanks (record 9).  Entry: 3 bytes, 12 bits of
// record number, 4 of duplicate count, 4 of trailing count.
std::string compactLeaf() {
    std::string b(kNodeSize, '\0');
    coding::putLe16(b.data(), kLeafBit | kRootBit);
    coding::putLe16(b.data() + 2, 2);
    coding::putLe32(b.data() + 4, kNoNode);
    coding::putLe32(b.data() + 8, kNoNode);
    coding::putLe32(b.data() + 14, 0x0FFF);
    b[18] = 0x0F;
    b[19] = 0x0F;
    b[20] = 12;
    b[21] = 4;
    b[22] = 4;
    b[23] = 3;
    const auto entry = [&](std::size_t i, std::uint32_t rec, std::uint32_t dup,
                           std::uint32_t trail) {
        const std::uint32_t v = rec | (dup << 12) | (trail << 16);
        for (int k = 0; k < 3; ++k) b[24 + i * 3 + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
    };
    entry(0, 5, 0, 0);
    entry(1, 9, 2, 2);
    b.replace(508, 4, "abcd");  // first key, all four bytes new
    return b;
}

IdxHeader compactHeader() {
    IdxHeader h;
    h.layout = Layout::Compact;
    h.keyLength = 4;
    return h;
}

TEST(IdxLayout, CompactLeafRebuildsSharedAndTrailingBytes) {
    auto node = decodeNode(compactLeaf(), 1024, compactHeader());
    ASSERT_TRUE(node.isOk()) << node.status().message();
    ASSERT_EQ(node->count(), 2U);
    EXPECT_EQ(node->key(0, 4), "abcd");
    EXPECT_EQ(node->key(1, 4), "ab  ");
    EXPECT_EQ(node->values, (std::vector<std::uint32_t>{5, 9}));
}

struct Damage {
    const char* label;
    std::size_t offset;
    std::string bytes;
    const char* mentions;
};

class CompactDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(CompactDamage, GivesCorruptionNotARead) {
    std::string b = compactLeaf();
    b.replace(GetParam().offset, GetParam().bytes.size(), GetParam().bytes);
    auto node = decodeNode(b, 1024, compactHeader());
    ASSERT_FALSE(node.isOk());
    EXPECT_EQ(node.status().code(), Status::Code::Corruption);
    EXPECT_NE(node.status().message().find(GetParam().mentions), std::string::npos)
        << node.status().message();
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, CompactDamage,
    ::testing::Values(Damage{"TooManyKeys", 2, std::string("\xFF\x00", 2), "more than fit"},
                      Damage{"EntryWiderThanItsBytes", 20, std::string("\x20", 1), "impossible"},
                      Damage{"NoEntryBytes", 23, std::string("\x00", 1), "impossible"},
                      Damage{"FirstKeySharesBytes", 25, std::string("\x10", 1), "exceed"},
                      Damage{"CountsBeyondKey", 29, std::string("\x0F", 1), "exceed"},
                      Damage{"UnknownAttributes", 0, std::string("\x09\x00", 2), "attributes"}),
    [](const auto& param) { return std::string(param.param.label); });

TEST(IdxLayout, StandardNodeClaimingTooManyKeysIsCorrupt) {
    std::string b(kNodeSize, '\0');
    coding::putLe16(b.data(), kLeafBit);
    coding::putLe16(b.data() + 2, 15);
    IdxHeader h;
    h.keyLength = 30;
    auto node = decodeNode(b, 512, h);
    ASSERT_FALSE(node.isOk());
    EXPECT_NE(node.status().message().find("15 keys"), std::string::npos);
}

TEST(IdxLayout, HeadersThisEngineCannotServeAreRefused) {
    std::string b = encodeStandardHeader(sampleHeader());
    const auto refused = [](std::string bytes) { return decodeHeader(bytes).status(); };
    std::string compound = b;
    compound[14] = static_cast<char>(kOptCompound | kOptCompact);
    compound.resize(kCompactHeaderSize, '\0');
    EXPECT_EQ(refused(compound).code(), Status::Code::Unsupported);
    std::string unique = b;
    unique[14] = kOptUnique;
    EXPECT_EQ(refused(unique).code(), Status::Code::Unsupported);
    std::string forClause = b;
    forClause.replace(236, 8, std::string("CITY='X'"));
    EXPECT_NE(refused(forClause).message().find("FOR"), std::string::npos);
    std::string zeroKey = b;
    coding::putLe16(zeroKey.data() + 12, 0);
    EXPECT_EQ(refused(zeroKey).code(), Status::Code::Corruption);
    std::string noExpression = b;
    noExpression[16] = '\0';
    EXPECT_EQ(refused(noExpression).code(), Status::Code::Corruption);
    EXPECT_EQ(refused(b.substr(0, 100)).code(), Status::Code::Corruption);
    std::string shortCompact = b;
    shortCompact[14] = kOptCompact;
    EXPECT_EQ(refused(shortCompact).code(), Status::Code::Corruption);
}

}  // namespace
}  // namespace quivra::storage::idx
