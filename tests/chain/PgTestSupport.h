#pragma once
// Server tests: a database of their own on the server QUIVRA_TEST_PG names
// (dropped afterwards), a scratch data folder set up to use it, and the
// server's stop and start for the tests that take it away.

#include "CustomerBase.h"
#include "CustomerTables.h"
#include "PgConnection.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace quivra::chain::test {

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new connection to the test's database (as its owner).
    std::unique_ptr<PgConnection> connect() const;
    // The same database as a libpq connection string.
    [[nodiscard]] const std::string& conninfo() const { return m_conninfo; }
    // A data folder whose Shop Information names `shop` and chooses the
    // test's database; with empty tables.
    void makeCounterFolder(const std::filesystem::path& dir, const std::string& shop) const;
    // Runs a SQL statement (as the owner), failing the test on error.
    PgRows sql(const std::string& statement) const;

    // Stops and starts the server (for the offline tests); false when the
    // test script gave no way to (QUIVRA_TEST_PG_STOP / _START).
    static bool stopServer();
    static bool startServer();
    static bool s_stopped;

    std::string m_database;
    std::string m_conninfo;
    std::unique_ptr<PgConnection> m_db;
};

// The server's admin connection string, or "" (the tests then skip).
std::string adminConninfo();

}  // namespace quivra::chain::test
