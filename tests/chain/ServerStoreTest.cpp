// The server store against a real server: every field kept exactly, hostile
// texts included; the name order, the prefix search and the history; the
// address correction; the export text.

#include "BuildSamples.h"
#include "PgTestSupport.h"
#include "Schema.h"
#include "ServerSetupStore.h"
#include "TestTables.h"

#include <fstream>

namespace quivra::chain::test {
namespace {

using customers::SavedSetup;

class ServerStoreTest : public ServerTest {
protected:
    void SetUp() override {
        ServerTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(migrate(*m_db));
        auto shop = shopId(*m_db, "Arrow Shop");
        ASSERT_TRUE(shop);
        m_store = std::make_unique<ServerSetupStore>(*m_db, *shop);
    }

    // A set-up whose every field holds `text` in a way of its own.
    static SavedSetup everyField(const std::string& text) {
        SavedSetup s;
        customers::CustomerAddress& a = s.address;
        a.name = text;
        a.addr1 = "1 " + text;
        a.addr2 = text + " 2";
        a.city = "City " + text;
        a.state = "ST";
        a.zip = "62701-" + text;
        a.country = "Côte " + text;
        a.ccode = "C" + text;
        a.comments = text + "\r\nsecond line\n\tthird";
        s.date = "03/07/2026";
        s.codes = {"0", "60", "30", "100", "0", "1", "0", "1", "5"};
        return s;
    }

    std::string save(const SavedSetup& s, const std::string& created = utcNowText()) {
        const std::string uuid = newUuid();
        const customers::AppendOutcome o = m_store->storeSetup(uuid, s, created);
        EXPECT_TRUE(o.status) << o.status.message();
        return uuid;
    }

    std::unique_ptr<ServerSetupStore> m_store;
};

const std::vector<std::string>& hostileNames() {
    static const std::vector<std::string> names{"O'Neil",
                                                "Bob \"Bullseye\" Ray",
                                                "back\\slash \\\\ end\\",
                                                "Robert'); DROP TABLE setups; --",
                                                "Zoë Ångström-Łukasiewicz ŻÓŁW 弓道",
                                                "100% _match_ %s",
                                                std::string("ctl\x01\x02\x1b[31m\x7f end"),
                                                std::string(10000, 'W') + "ß"};
    return names;
}

TEST_F(ServerStoreTest, EveryFieldComesBackExactlyHostileTextsIncluded) {
    for (const std::string& name : hostileNames()) {
        SCOPED_TRACE(name.substr(0, 40));
        const SavedSetup original = everyField(name);
        const std::string uuid = save(original);
        ASSERT_TRUE(m_store->goToId(uuid));
        EXPECT_EQ(m_store->current().value(), original);
        // And it is found by the first letters of its name, exactly.
        auto found = m_store->seekName(name.substr(0, 7));
        ASSERT_TRUE(found) << found.status().message();
        EXPECT_TRUE(*found);
        EXPECT_EQ(m_store->current()->address.name, name);
    }
    EXPECT_EQ(sql("SELECT count(*) FROM setups").text(0, 0), std::to_string(hostileNames().size()));
    EXPECT_EQ(sql("SELECT to_regclass('setups') IS NOT NULL").text(0, 0), "t");  // still there
}

TEST_F(ServerStoreTest, ATextWithANulCharacterIsRefusedNotCut) {
    SavedSetup s = everyField("x");
    s.address.name = std::string("before\0after", 12);
    const customers::AppendOutcome o = m_store->storeSetup(newUuid(), s, utcNowText());
    EXPECT_FALSE(o.status);
    EXPECT_NE(o.status.message().find("NAME"), std::string::npos);
    EXPECT_EQ(sql("SELECT count(*) FROM setups").text(0, 0), "0");
}

TEST_F(ServerStoreTest, BrowsesInNameOrderAndFindsByPrefixWhateverTheCase) {
    for (const char* name :
         {"smith", "Adams", "Smythe", "Zoe", "O'Neil", "100% Archery", "100x Archery", "Smith"}) {
        save(everyField(name));
    }
    std::vector<std::string> order;
    ASSERT_TRUE(m_store->first());
    while (!m_store->atEnd()) {
        order.push_back(m_store->current()->address.name);
        ASSERT_TRUE(m_store->next());
    }
    ASSERT_EQ(order.size(), 8U);
    EXPECT_EQ(order.front(), "100% Archery");
    EXPECT_EQ(order[2], "Adams");
    EXPECT_EQ(order.back(), "Zoe");
    // Back from the end, and previous() at the first set-up stays there.
    ASSERT_TRUE(m_store->last());
    EXPECT_EQ(m_store->current()->address.name, "Zoe");
    ASSERT_TRUE(m_store->first());
    ASSERT_TRUE(m_store->previous());
    EXPECT_EQ(m_store->current()->address.name, "100% Archery");

    ASSERT_TRUE(m_store->seekName("sm").value());
    EXPECT_EQ(m_store->current()->address.name.substr(1, 4), "mith");  // smith or Smith
    ASSERT_TRUE(m_store->seekName("Smy").value());
    EXPECT_EQ(m_store->current()->address.name, "Smythe");
    // "%" and "_" are letters of the name, not patterns.
    ASSERT_TRUE(m_store->seekName("100%").value());
    EXPECT_EQ(m_store->current()->address.name, "100% Archery");
    EXPECT_FALSE(m_store->seekName("1_0").value());
    EXPECT_TRUE(m_store->atEnd());
}

TEST_F(ServerStoreTest, AddressCorrectionKeepsTheSetupAndMovesItInNameOrder) {
    const SavedSetup original = everyField("Baker");
    const std::string uuid = save(original);
    save(everyField("Carter"));
    ASSERT_TRUE(m_store->goToId(uuid));
    ASSERT_TRUE(m_store->beginEdit());
    customers::CustomerAddress changed = original.address;
    changed.name = "Young";
    changed.city = "Peoria";
    ASSERT_TRUE(m_store->postAddress(changed));
    EXPECT_FALSE(m_store->isEditing());
    EXPECT_EQ(m_store->currentId(), uuid);
    EXPECT_EQ(m_store->current()->address, changed);
    EXPECT_EQ(m_store->current()->codes, original.codes);
    ASSERT_TRUE(m_store->last());
    EXPECT_EQ(m_store->currentId(), uuid);
}

TEST_F(ServerStoreTest, HistoryListsTheCustomersSetupsNewestFirst) {
    const SavedSetup customer = everyField("Hunter");
    SavedSetup older = customer;
    older.codes.bowWeight = "50";
    SavedSetup newest = customer;
    newest.codes.bowWeight = "70";
    SavedSetup otherStreet = customer;
    otherStreet.address.addr1 = "9 Elm St";
    const std::string a = save(older, "2024-01-05T10:00:00Z");
    const std::string b = save(newest, "2026-02-01T10:00:00Z");
    const std::string c = save(customer, "2025-06-01T10:00:00Z");
    save(otherStreet, "2026-03-01T10:00:00Z");
    auto history = m_store->history(customer.address);
    ASSERT_TRUE(history) << history.status().message();
    ASSERT_EQ(history->size(), 3U);
    EXPECT_EQ((*history)[0].id, b);
    EXPECT_EQ((*history)[1].id, c);
    EXPECT_EQ((*history)[2].id, a);
    EXPECT_EQ((*history)[0].setup, newest);
}

TEST_F(ServerStoreTest, ASetupSavedWithItsArrowComesBackInTheHistoryWithEveryFigure) {
    const SavedSetup customer = everyField("Fletcher");
    const customers::SavedBuild plain = hostileBuild();
    customers::SavedBuild bare = withoutOptionals(hostileBuild());
    bare.notes = hostileNames()[3] + "\r\n" + hostileNames()[7];
    const std::chrono::year_month_day day{std::chrono::year{2026}, std::chrono::March,
                                          std::chrono::day{7}};
    for (const customers::SavedBuild& build : {plain, bare}) {
        const customers::AppendOutcome o =
            m_store->appendSetupWithBuild(customer.address, customer.codes, day, build);
        ASSERT_TRUE(o.status) << o.status.message();
        EXPECT_TRUE(o.stored && o.buildStored);
    }
    ASSERT_TRUE(m_store->appendSetup(customer.address, customer.codes, day).status);
    // The same customer typed another way is the same customer.
    customers::CustomerAddress typedAgain = customer.address;
    typedAgain.addr1 = "  1   fletcher ";
    typedAgain.zip = "";
    auto history = m_store->history(typedAgain);
    ASSERT_TRUE(history) << history.status().message();
    ASSERT_EQ(history->size(), 3U);
    // One day: the last saved first.
    EXPECT_FALSE((*history)[0].build);
    ASSERT_TRUE((*history)[1].build && (*history)[2].build);
    customers::SavedBuild back = *(*history)[1].build;
    EXPECT_EQ(back.savedAt.size(), 14U);
    bare.savedAt = back.savedAt;
    EXPECT_EQ(back, bare);
    back = *(*history)[2].build;
    customers::SavedBuild expected = plain;
    expected.savedAt = back.savedAt;
    EXPECT_EQ(back, expected);
}

TEST_F(ServerStoreTest, AnArrowWithANulCharacterIsRefusedAndItsSetupWithIt) {
    const SavedSetup customer = everyField("Nul");
    customers::SavedBuild broken = hostileBuild();
    broken.notes = std::string("before\0after", 12);
    const customers::AppendOutcome o = m_store->appendSetupWithBuild(
        customer.address, customer.codes,
        std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::March,
                                    std::chrono::day{7}},
        broken);
    EXPECT_FALSE(o.status);
    EXPECT_FALSE(o.stored);
    EXPECT_NE(o.status.message().find("NUL"), std::string::npos) << o.status.message();
    EXPECT_EQ(sql("SELECT count(*) FROM setups").text(0, 0), "0");
    EXPECT_EQ(sql("SELECT count(*) FROM builds").text(0, 0), "0");
}

TEST_F(ServerStoreTest, ExportWritesTheShopsSetupsInSavingOrderAsDelimitedText) {
    storage::test::TempDir dir;
    SavedSetup first = everyField("Bob \"B\" Ray");
    first.address.comments = "line one\r\nline two  ";
    save(first, "2025-01-01T00:00:00Z");
    save(everyField("Adams"), "2026-01-01T00:00:00Z");
    auto other = shopId(*m_db, "Other Shop");
    ServerSetupStore otherStore(*m_db, *other);
    ASSERT_TRUE(otherStore.storeSetup(newUuid(), everyField("Elsewhere"), utcNowText()).status);

    ASSERT_TRUE(m_store->exportText(dir / "custdb.txt"));
    const std::string text = storage::test::readFile(dir / "custdb.txt");
    const std::string expectedFirst =
        "\"Bob \"\"B\"\" Ray\",\"1 Bob \"\"B\"\" Ray\",\"Bob \"\"B\"\" Ray 2\",\"City Bob "
        "\"\"B\"\" Ray\",\"ST\",\"62701-Bob \"\"B\"\" Ray\",\"Côte Bob \"\"B\"\" Ray\",\"CBob "
        "\"\"B\"\" Ray\",\"line one\r\nline two\",\"03/07/2026\",\"0\",\"60\",\"30\",\"100\","
        "\"0\",\"1\",\"0\",\"1\",\"5\"\r\n";
    EXPECT_EQ(text.substr(0, expectedFirst.size()), expectedFirst);
    EXPECT_NE(text.find("\r\n\"Adams\","), std::string::npos);
    EXPECT_EQ(text.find("Elsewhere"), std::string::npos);
}

}  // namespace
}  // namespace quivra::chain::test
