// The schema on a real server: made from an empty database once even when
// many counters connect at once, brought up from the previous version with
// the set-ups kept, a newer database refused, and the counters' role.

#include "BuildSql.h"
#include "PgTestSupport.h"
#include "Schema.h"
#include "ServerSetupStore.h"
#include "TicketNumbers.h"

#include <thread>

namespace quivra::chain::test {
namespace {

class SchemaTest : public ServerTest {};

TEST_F(SchemaTest, AnEmptyDatabaseIsMadeOnceWhenManyConnectAtOnce) {
    EXPECT_EQ(schemaVersion(*m_db).value(), 0);
    std::vector<std::thread> counters;
    std::vector<core::Status> results(8);
    for (std::size_t i = 0; i < results.size(); ++i) {
        counters.emplace_back([this, i, &results] {
            auto c = PgConnection::connect(conninfo());
            results[i] = c ? migrate(**c) : c.status();
        });
    }
    for (std::thread& t : counters) t.join();
    for (const core::Status& s : results) EXPECT_TRUE(s) << s.message();
    EXPECT_EQ(schemaVersion(*m_db).value(), kSchemaVersion);
    EXPECT_EQ(sql("SELECT count(*) FROM schema_version").text(0, 0), "1");
    // The name index serves the prefix search.
    EXPECT_EQ(sql("SELECT count(*) FROM pg_indexes WHERE indexname = 'setups_name'").text(0, 0),
              "1");
}

TEST_F(SchemaTest, ThePreviousVersionIsBroughtUpWithItsSetupsKept) {
    ASSERT_TRUE(migrate(*m_db, kSchemaVersion - 1));
    EXPECT_EQ(schemaVersion(*m_db).value(), kSchemaVersion - 1);
    sql("INSERT INTO shops (name) VALUES ('Old Shop')");
    sql("INSERT INTO setups (id, shop_id, name, addr1, saved_date, bowwt) SELECT "
        "'6f1c1f0e-0000-4000-8000-000000000001', id, 'Miller', '1 Main St', '01/02/2020', '55' "
        "FROM shops");
    ASSERT_TRUE(migrate(*m_db));
    EXPECT_EQ(schemaVersion(*m_db).value(), kSchemaVersion);
    auto shop = shopId(*m_db, "Old Shop");
    ASSERT_TRUE(shop);
    ServerSetupStore store(*m_db, *shop);
    ASSERT_TRUE(store.open());
    ASSERT_TRUE(store.seekName("mil").value());
    EXPECT_EQ(store.current()->codes.bowWeight, "55");
    EXPECT_EQ(store.current()->date, "01/02/2020");
}

TEST_F(SchemaTest, ADatabaseNewerThanTheProgramIsRefused) {
    ASSERT_TRUE(migrate(*m_db));
    sql("UPDATE schema_version SET version = 99");
    const core::Status s = migrate(*m_db);
    EXPECT_FALSE(s);
    EXPECT_NE(s.message().find("newer than this copy of Quivra"), std::string::npos);
}

class CounterRoleTest : public ServerTest {
protected:
    void TearDown() override {
        m_counter.reset();
        if (!m_role.empty()) sql("DROP ROLE IF EXISTS " + m_role);
        ServerTest::TearDown();
    }
    // Connects as a new login role of the counters' group.
    void connectAsCounter() {
        m_role = "counter_" + m_database.substr(12, 12);
        sql("CREATE ROLE " + m_role + " LOGIN IN ROLE quivra_counter");
        auto c = PgConnection::connect(conninfo() + " user=" + m_role);
        ASSERT_TRUE(c) << c.status().message();
        m_counter = std::move(c).value();
    }
    std::string m_role;
    std::unique_ptr<PgConnection> m_counter;
};

TEST_F(CounterRoleTest, ReadsAndSavesButCannotDeleteOrChangeTheSchema) {
    ASSERT_TRUE(migrate(*m_db));
    connectAsCounter();
    ASSERT_TRUE(m_counter);
    // What a counter does.
    EXPECT_TRUE(migrate(*m_counter));  // current: nothing to do
    auto shop = shopId(*m_counter, "Counter Shop");
    ASSERT_TRUE(shop) << shop.status().message();
    ServerSetupStore store(*m_counter, *shop);
    ASSERT_TRUE(store.open());
    customers::SavedSetup s;
    s.address.name = "Counter Customer";
    const std::string uuid = newUuid();
    ASSERT_TRUE(store.storeSetup(uuid, s, utcNowText()).status);
    ASSERT_TRUE(store.goToId(uuid));
    ASSERT_TRUE(store.beginEdit());
    s.address.city = "Peoria";
    EXPECT_TRUE(store.postAddress(s.address));
    storage::test::TempDir dir;
    TicketNumbers tickets(dir.path(), "Counter Shop", 10);
    EXPECT_TRUE(tickets.reserve(*m_counter, *shop));
    EXPECT_EQ(tickets.inHand().value(), 10);
    auto build =
        insertBuild(*m_counter, *shop, newUuid(), uuid, customers::SavedBuild{}, utcNowText());
    EXPECT_TRUE(build) << build.status().message();
    EXPECT_TRUE(m_counter->exec("UPDATE builds SET ticket_no = 5"));
    // What it may not.
    for (const char* refused : {"DELETE FROM setups", "DROP TABLE setups", "TRUNCATE setups",
                                "CREATE TABLE extra (x int)", "ALTER TABLE setups ADD COLUMN x int",
                                "UPDATE setups SET shop_id = shop_id", "UPDATE setups SET id = id",
                                "UPDATE shops SET next_ticket = 1", "DELETE FROM shops",
                                "UPDATE schema_version SET version = 1",
                                "UPDATE builds SET notes = 'changed'", "DELETE FROM builds"}) {
        SCOPED_TRACE(refused);
        const auto r = m_counter->exec(refused);
        EXPECT_FALSE(r);
        if (!r) {
            const std::string why = r.status().message();
            EXPECT_TRUE(why.find("permission denied") != std::string::npos ||
                        why.find("must be owner") != std::string::npos)
                << why;
        }
    }
    EXPECT_EQ(sql("SELECT count(*) FROM setups").text(0, 0), "1");
}

TEST_F(CounterRoleTest, ADatabaseBehindTellsTheCounterWhoMustBringItUp) {
    ASSERT_TRUE(migrate(*m_db, kSchemaVersion - 1));
    sql("DO $$ BEGIN IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'quivra_counter') "
        "THEN CREATE ROLE quivra_counter NOLOGIN; END IF; END $$");
    sql("GRANT SELECT ON ALL TABLES IN SCHEMA public TO quivra_counter");
    connectAsCounter();
    ASSERT_TRUE(m_counter);
    const core::Status s = migrate(*m_counter);
    EXPECT_FALSE(s);
    EXPECT_NE(s.message().find("quivra-sync migrate"), std::string::npos) << s.message();
    EXPECT_EQ(schemaVersion(*m_db).value(), kSchemaVersion - 1);
}

}  // namespace
}  // namespace quivra::chain::test
