#include "PgTestSupport.h"

#include "CustomerDbSettings.h"
#include "SetupSql.h"
#include "TableStore.h"

#include <algorithm>
#include <cstdlib>

namespace quivra::chain::test {

std::string adminConninfo() {
    const char* c = std::getenv("QUIVRA_TEST_PG");
    return c ? c : "";
}

namespace {

// The value of `key` in a "k=v k=v" connection string.
std::string valueOf(const std::string& conninfo, const std::string& key) {
    const auto at = conninfo.find(key + "=");
    if (at == std::string::npos) return {};
    const auto start = at + key.size() + 1;
    const auto end = conninfo.find(' ', start);
    return conninfo.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

void ServerTest::SetUp() {
    if (adminConninfo().empty()) {
        GTEST_SKIP() << "No PostgreSQL server given: set QUIVRA_TEST_PG to a libpq connection "
                        "string (scripts/ci-postgres.sh starts a throwaway server and does).";
    }
    auto admin = PgConnection::connect(adminConninfo());
    ASSERT_TRUE(admin) << admin.status().message();
    std::string name = newUuid();
    name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
    m_database = "quivra_test_" + name;
    ASSERT_TRUE((*admin)->execScript("CREATE DATABASE " + m_database));
    std::string base = adminConninfo();
    const auto at = base.find("dbname=");
    if (at != std::string::npos) {
        const auto end = base.find(' ', at);
        base.erase(at, end == std::string::npos ? std::string::npos : end - at + 1);
    }
    m_conninfo = base + " dbname=" + m_database;
    m_db = connect();
    ASSERT_TRUE(m_db);
}

void ServerTest::TearDown() {
    m_db.reset();
    if (m_database.empty()) return;
    CustomerBase::shutdownAll();
    if (s_stopped) startServer();  // a test that stopped it and failed
    if (auto admin = PgConnection::connect(adminConninfo())) {
        (void)(*admin)->execScript("DROP DATABASE IF EXISTS " + m_database + " WITH (FORCE)");
    }
}

std::unique_ptr<PgConnection> ServerTest::connect() const {
    auto c = PgConnection::connect(m_conninfo);
    EXPECT_TRUE(c) << c.status().message();
    return c ? std::move(c).value() : nullptr;
}

PgRows ServerTest::sql(const std::string& statement) const {
    auto r = m_db->exec(statement);
    EXPECT_TRUE(r) << statement << ": " << r.status().message();
    return r ? std::move(r).value() : PgRows();
}

void ServerTest::makeCounterFolder(const std::filesystem::path& dir,
                                   const std::string& shop) const {
    ASSERT_TRUE(customers::test::createSavedTables(dir));
    ASSERT_TRUE(customers::test::createShopTable(dir, true));
    storage::TableStore table(dir / "SHOPINFO.DBF");
    ASSERT_TRUE(table.open());
    ASSERT_TRUE(table.edit());
    ASSERT_TRUE(table.setFieldText("NAME", shop));
    ASSERT_TRUE(table.post());
    table.close();
    customers::CustomerDbSettings s;
    s.kind = customers::CustomerDbKind::Server;
    s.host = valueOf(adminConninfo(), "host");
    const std::string port = valueOf(adminConninfo(), "port");
    if (!port.empty()) s.port = std::stoi(port);
    s.user = valueOf(adminConninfo(), "user");
    s.database = m_database;
    s.sslMode = "prefer";
    ASSERT_TRUE(customers::saveCustomerDbSettings(dir, s));
}

bool ServerTest::s_stopped = false;

bool ServerTest::stopServer() {
    const char* stop = std::getenv("QUIVRA_TEST_PG_STOP");
    s_stopped = stop && std::system(stop) == 0;
    return s_stopped;
}

bool ServerTest::startServer() {
    const char* start = std::getenv("QUIVRA_TEST_PG_START");
    const bool started = start && std::system(start) == 0;
    if (started) s_stopped = false;
    return started;
}

}  // namespace quivra::chain::test
