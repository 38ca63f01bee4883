// The shop window: Save stays open, Exit drops unsaved changes, the country
// is never touched and an empty table gains its record.
#include "CustomerDbSettings.h"
#include "CustomerTables.h"
#include "ShopRecord.h"
#include "TShopInf.h"
#include "TableStore.h"
#include "UiHelpers.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

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

// Chooses the shared server in the window's customer database panel.
void chooseServer(const TShopInf& w, const char* host, const char* tls) {
    child<QRadioButton>(w, "CustDbServer")->setChecked(true);
    typeInto(child(w, "CustDbHost"), qs(host));
    child<QSpinBox>(w, "CustDbPort")->setValue(6432);
    typeInto(child(w, "CustDbName"), qs("chain"));
    typeInto(child(w, "CustDbUser"), qs("north1"));
    auto* mode = child<QComboBox>(w, "CustDbTls");
    mode->setCurrentIndex(mode->findText(qs(tls)));
}

TEST(TShopInfTest, TheServerChoiceGoesToItsOwnFileAndComesBack) {
    test::ScratchDir dir;
    ASSERT_TRUE(test::createShopTable(dir.path(), true).isOk());
    {
        TShopInf w(dir.path());
        EXPECT_TRUE(child<QRadioButton>(w, "CustDbLocal")->isChecked());
        EXPECT_FALSE(child(w, "CustDbHost")->isEnabled());
        chooseServer(w, "db.chain.example", "verify-full");
        EXPECT_TRUE(child(w, "CustDbHost")->isEnabled());
        w.ShopInfSaveBtnClick();
        EXPECT_TRUE(test::takeShownTexts().isEmpty());
    }
    const CustomerDbSettings s = loadCustomerDbSettings(dir.path()).value();
    EXPECT_EQ(s.kind, CustomerDbKind::Server);
    EXPECT_EQ(s.host, "db.chain.example");
    EXPECT_EQ(s.port, 6432);
    EXPECT_EQ(s.database, "chain");
    EXPECT_EQ(s.user, "north1");
    EXPECT_EQ(s.sslMode, "verify-full");
    // SHOPINFO.DBF keeps its ten fields.
    storage::TableStore table(dir.path() / "SHOPINFO.DBF");
    ASSERT_TRUE(table.open().isOk());
    EXPECT_EQ(table.fields().size(), 10U);
    TShopInf again(dir.path());
    EXPECT_TRUE(child<QRadioButton>(again, "CustDbServer")->isChecked());
    EXPECT_EQ(child(again, "CustDbHost")->text(), qs("db.chain.example"));
}

TEST(TShopInfTest, ARemoteServerWithoutTlsIsRefusedAndNothingIsSaved) {
    test::ScratchDir dir;
    ASSERT_TRUE(test::createShopTable(dir.path(), true).isOk());
    TShopInf w(dir.path());
    typeInto(child(w, "DBEdit7"), qs("555-0100"));
    chooseServer(w, "db.chain.example", "disable");
    w.ShopInfSaveBtnClick();
    const QStringList shown = test::takeShownTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().contains(qs("must be encrypted"))) << shown.front().toStdString();
    EXPECT_FALSE(std::filesystem::exists(dir.path() / kCustomerDbFile));
    EXPECT_EQ(loadShopRecord(dir.path()).value().phone, "PHONE value");
    // This machine's own server needs no TLS.
    chooseServer(w, "", "disable");
    w.ShopInfSaveBtnClick();
    EXPECT_TRUE(test::takeShownTexts().isEmpty());
    EXPECT_EQ(loadCustomerDbSettings(dir.path()).value().sslMode, "disable");
}

TEST(TShopInfTest, TheSharedServerNeedsTheShopsName) {
    test::ScratchDir dir;
    ASSERT_TRUE(test::createShopTable(dir.path(), true).isOk());
    TShopInf w(dir.path());
    typeInto(child(w, "DBEdit1"), qs(""));
    chooseServer(w, "localhost", "prefer");
    w.ShopInfSaveBtnClick();
    const QStringList shown = test::takeShownTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().contains(qs("Give the shop its name")));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / kCustomerDbFile));
}

}  // namespace
}  // namespace quivra::customers
