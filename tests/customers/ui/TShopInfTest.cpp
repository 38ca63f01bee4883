// The shop window: Save stays open, Exit drops unsaved changes, the country
// is never touched and an empty table gains its record.
#include "CustomerTables.h"
#include "ShopRecord.h"
#include "TShopInf.h"
#include "TableStore.h"
#include "UiHelpers.h"

#include <QPushButton>

namespace quivra::customers {
namespace {

using test::child;
using test::qs;
using test::typeInto;

TEST(TShopInfTest, EditsShowTheRecordInTabOrder) {
    test::ScratchDir dir;
    ASSERT_TRUE(test::createShopTable(dir.path(), true).isOk());
    TShopInf w(dir.path());
    EXPECT_EQ(w.windowTitle(), qs("2012 Shop Information"));
    EXPECT_EQ(child(w, "DBEdit1")->text(), qs("NAME value"));
    EXPECT_EQ(child(w, "DBEdit7")->text(), qs("PHONE value"));
    EXPECT_EQ(child(w, "DBEdit9")->text(), qs("COMMENTS value"));
    EXPECT_EQ(child<QPushButton>(w, "ShopInfSaveBtn")->text(), qs("&Save"));
    EXPECT_EQ(child<QPushButton>(w, "SpeedButton1")->text(), qs("E&xit"));
    EXPECT_EQ(child(w, "DBEdit1")->nextInFocusChain(), child(w, "DBEdit2"));
}

TEST(TShopInfTest, SaveThenExitKeepsTheNewPhoneAndTheCountry) {
    test::ScratchDir dir;
    ASSERT_TRUE(test::createShopTable(dir.path(), true).isOk());
    TShopInf w(dir.path());
    typeInto(child(w, "DBEdit7"), qs("555-0100"));
    w.ShopInfSaveBtnClick();
    EXPECT_EQ(w.result(), 0);                       // still open
    typeInto(child(w, "DBEdit8"), qs("555-0199"));  // changed after the save
    w.ShopInfExitBtnClick();
    const ShopRecord r = loadShopRecord(dir.path()).value();
    EXPECT_EQ(r.phone, "555-0100");
    EXPECT_EQ(r.fax, "FAX value");
    EXPECT_EQ(r.country, "USA");
}

TEST(TShopInfTest, ExitWithoutSaveLeavesTheRecord) {
    test::ScratchDir dir;
    ASSERT_TRUE(test::createShopTable(dir.path(), true).isOk());
    const ShopRecord before = loadShopRecord(dir.path()).value();
    TShopInf w(dir.path());
    typeInto(child(w, "DBEdit7"), qs("555-0100"));
    w.ShopInfExitBtnClick();
    EXPECT_EQ(loadShopRecord(dir.path()).value(), before);
}

// Mend: a letter the table's code page cannot hold is refused with a
// message naming the field as the window shows it, and the letter.
TEST(TShopInfTest, ALetterTheTableCannotHoldIsRefusedInWordsTheClerkKnows) {
    test::ScratchDir dir;
    ASSERT_TRUE(test::createShopTable(dir.path(), true).isOk());
    const ShopRecord before = loadShopRecord(dir.path()).value();
    TShopInf w(dir.path());
    typeInto(child(w, "DBEdit1"), qs("Łucznik Archery"));
    typeInto(child(w, "DBEdit7"), qs("555-0100"));
    test::takeShownTexts();
    w.ShopInfSaveBtnClick();
    EXPECT_EQ(test::takeShownTexts(),
              QStringList{qs("The letter 'Ł' in Shop Name cannot be stored. Please type it "
                             "without the accent.")});
    EXPECT_EQ(loadShopRecord(dir.path()).value(), before);  // nothing of it was saved
    typeInto(child(w, "DBEdit1"), qs("Lucznik Archery"));
    typeInto(child(w, "DBEdit9"), qs("Open daily → 9"));
    w.ShopInfSaveBtnClick();
    EXPECT_EQ(test::takeShownTexts(),
              QStringList{qs("The character '→' in Additional Report Text cannot be stored. "
                             "Please leave it out.")});
}

TEST(TShopInfTest, EmptyTableGainsItsFirstRecordOnSave) {
    test::ScratchDir dir;
    ASSERT_TRUE(test::createShopTable(dir.path(), false).isOk());
    TShopInf w(dir.path());
    typeInto(child(w, "DBEdit1"), qs("Arrow Hut"));
    w.ShopInfSaveBtnClick();
    typeInto(child(w, "DBEdit4"), qs("Peoria"));
    w.ShopInfSaveBtnClick();
    storage::TableStore table(dir.path() / "SHOPINFO.DBF");
    ASSERT_TRUE(table.open().isOk());
    EXPECT_EQ(table.recordCount(), 1u);
    const ShopRecord r = loadShopRecord(dir.path()).value();
    EXPECT_EQ(r.name, "Arrow Hut");
    EXPECT_EQ(r.city, "Peoria");
}

TEST(TShopInfTest, EditsHoldNoMoreThanTheirFields) {
    test::ScratchDir dir;
    ASSERT_TRUE(test::createShopTable(dir.path(), true).isOk());
    TShopInf w(dir.path());
    EXPECT_EQ(child(w, "DBEdit1")->maxLength(), 30);
    EXPECT_EQ(child(w, "DBEdit9")->maxLength(), 60);
}

}  // namespace
}  // namespace quivra::customers
