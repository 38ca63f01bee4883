// The shop's one record: load, save, the untouched country, the empty table.
#include "CustomerTables.h"
#include "ShopRecord.h"
#include "TableStore.h"

#include <gtest/gtest.h>

namespace quivra::customers {
namespace {

TEST(ShopRecordTest, LoadsTheFirstRecordTrimmed) {
    test::ScratchDir dir;
    ASSERT_TRUE(test::createShopTable(dir.path(), true).isOk());
    const auto r = loadShopRecord(dir.path());
    ASSERT_TRUE(r.isOk()) << r.status().message();
    EXPECT_EQ(r->name, "NAME value");
    EXPECT_EQ(r->phone, "PHONE value");
    EXPECT_EQ(r->country, "USA");
}

TEST(ShopRecordTest, SaveChangesTheEditedFieldsButNeverTheCountry) {
    test::ScratchDir dir;
    ASSERT_TRUE(test::createShopTable(dir.path(), true).isOk());
    ShopRecord r = loadShopRecord(dir.path()).value();
    r.phone = "555-0100";
    r.comments = "Open Mon-Sat \"9 to 5\"";
    r.country = "Elsewhere";  // no window edits it; a save must not write it
    ASSERT_TRUE(saveShopRecord(dir.path(), r).isOk());
    const ShopRecord back = loadShopRecord(dir.path()).value();
    EXPECT_EQ(back.phone, "555-0100");
    EXPECT_EQ(back.comments, "Open Mon-Sat \"9 to 5\"");
    EXPECT_EQ(back.country, "USA");
}

TEST(ShopRecordTest, EmptyTableReadsBlankAndGainsItsFirstRecordOnSave) {
    test::ScratchDir dir;
    ASSERT_TRUE(test::createShopTable(dir.path(), false).isOk());
    EXPECT_EQ(loadShopRecord(dir.path()).value(), ShopRecord{});
    ShopRecord r;
    r.name = "Arrow Hut";
    ASSERT_TRUE(saveShopRecord(dir.path(), r).isOk());
    ASSERT_TRUE(saveShopRecord(dir.path(), r).isOk());  // a second save edits, never adds
    EXPECT_EQ(loadShopRecord(dir.path()).value().name, "Arrow Hut");
    storage::TableStore table(dir.path() / "SHOPINFO.DBF");
    ASSERT_TRUE(table.open().isOk());
    EXPECT_EQ(table.recordCount(), 1u);
}

TEST(ShopRecordTest, MissingTableIsAnError) {
    test::ScratchDir dir;
    EXPECT_FALSE(loadShopRecord(dir.path()).isOk());
    EXPECT_FALSE(saveShopRecord(dir.path(), ShopRecord{}).isOk());
}

}  // namespace
}  // namespace quivra::customers
