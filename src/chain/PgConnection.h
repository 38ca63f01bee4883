#pragma once
// PgConnection: one connection to the chain's PostgreSQL server through
// libpq, with every statement parameterized (values travel apart from the
// SQL text, never spliced into it).
//
// Failures come back as a Status: Unavailable when the server cannot be
// reached or the connection broke (the caller may work offline and try
// again later), another code when the server refused the statement.  The
// message names the server and gives the server's own words.
//
// One thread at a time; the connection closes with the object.

#include "Status.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct pg_conn;
struct pg_result;

namespace quivra::chain {

// The rows of a statement's answer, as texts.
class PgRows {
public:
    PgRows() = default;
    explicit PgRows(pg_result* result);
    ~PgRows();
    PgRows(PgRows&& other) noexcept;
    PgRows& operator=(PgRows&& other) noexcept;
    PgRows(const PgRows&) = delete;
    PgRows& operator=(const PgRows&) = delete;

    [[nodiscard]] int rows() const;
    [[nodiscard]] int columns() const;
    [[nodiscard]] bool isNull(int row, int column) const;
    // The value as text ("" for NULL).  Preconditions: row < rows(), column < columns().
    [[nodiscard]] std::string text(int row, int column) const;
    // Rows an INSERT, UPDATE or DELETE touched.
    [[nodiscard]] long affected() const;

private:
    pg_result* m_result = nullptr;
};

// A statement parameter: a text, or NULL.
using PgParam = std::optional<std::string>;

class PgConnection {
public:
    // Connects with a libpq connection string.  Unavailable when the server
    // cannot be reached or refuses the login.  The password comes from
    // ~/.pgpass (or PGPASSFILE); when that has none and the server asks for
    // one, from the desktop keyring (keyringLookup(), Keyring.h), and the
    // message of a failure then says how to give it.  May wait for the
    // keyring (up to 20 s for an unlock prompt) on top of the connect timeout.
    // `failure`, when given, tells a failed login (no password, or a refused
    // one: the shop must act) from a server that cannot be reached now.
    enum class Failure { None, Unreachable, Login };
    static core::Result<std::unique_ptr<PgConnection>> connect(const std::string& conninfo,
                                                               Failure* failure = nullptr);
    ~PgConnection();
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    // Runs one statement with $1, $2 ... taken from `params`.
    core::Result<PgRows> exec(std::string_view sql, const std::vector<PgParam>& params = {});
    // Runs a script of statements without parameters (the migrations).
    core::Status execScript(std::string_view sql);

    // COPY ... FROM STDIN: `sql` starts it; `fill` appends the next part of
    // the text body to its (empty) buffer and returns false after the last
    // part.  Gives the rows copied.
    core::Result<long> copyIn(std::string_view sql,
                              const std::function<core::Result<bool>(std::string&)>& fill);

    // True once the connection broke; every later call fails Unavailable.
    [[nodiscard]] bool isBroken() const;
    // "host:port" (or the socket folder) for messages.
    [[nodiscard]] const std::string& serverName() const { return m_server; }

private:
    PgConnection(pg_conn* conn, std::string server);
    core::Status failure(pg_result* result, std::string_view what) const;

    pg_conn* m_conn;
    std::string m_server;
};

// A transaction on a connection: BEGIN now, COMMIT by commit(), ROLLBACK
// when destroyed without a commit.
class PgTransaction {
public:
    explicit PgTransaction(PgConnection& connection);
    ~PgTransaction();
    PgTransaction(const PgTransaction&) = delete;
    PgTransaction& operator=(const PgTransaction&) = delete;

    [[nodiscard]] const core::Status& begun() const { return m_begun; }
    core::Status commit();

private:
    PgConnection& m_connection;
    core::Status m_begun;
    bool m_open = false;
};

}  // namespace quivra::chain
