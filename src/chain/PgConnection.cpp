#include "PgConnection.h"

#include "Keyring.h"

#include <libpq-fe.h>

#include <algorithm>
#include <array>
#include <utility>

namespace quivra::chain {

using core::Result;
using core::Status;

namespace {

// SQLSTATEs that mean "not now" rather than "not this": the connection
// broke, the server is shutting down or starting, or full.
bool isUnavailableState(std::string_view state) {
    return state.substr(0, 2) == "08" || state == "57P01" || state == "57P02" || state == "57P03" ||
           state == "53300";
}

std::string trimmedMessage(const char* text) {
    std::string s = text ? text : "";
    while (!s.empty() && (s.back() == '\n' || s.back() == ' ')) s.pop_back();
    return s;
}

std::string describeServer(const pg_conn* conn) {
    const char* host = PQhost(conn);
    const char* port = PQport(conn);
    std::string name = host && *host ? host : "local socket";
    if (port && *port) name += std::string(":") + port;
    return name;
}

struct ConnectionCloser {
    void operator()(pg_conn* conn) const { PQfinish(conn); }
};
using ConnectionPtr = std::unique_ptr<pg_conn, ConnectionCloser>;

std::string textOr(const char* text, const char* fallback) {
    return text && *text ? text : fallback;
}

// The keyring entry for the server a (failed) connection went to, as libpq
// resolved it: the user is the login name when none was given.
KeyringKey keyringKeyOf(const pg_conn* conn) {
    return {textOr(PQhost(conn), ""), textOr(PQport(conn), "5432"), textOr(PQdb(conn), ""),
            textOr(PQuser(conn), "")};
}

// A field of a ~/.pgpass line: ':' and '\' escaped with '\'.
std::string pgpassField(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == ':' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

// How to give the password, with the server's own values filled in.
std::string passwordHelp(const KeyringKey& key) {
    // A socket in libpq's default folder is matched as "localhost".
    const std::string host =
        key.host.empty() || key.host == "/var/run/postgresql" || key.host == "/run/postgresql"
            ? "localhost"
            : key.host;
    return "Give the password either as a line in ~/.pgpass (file mode 0600; or in the file "
           "PGPASSFILE names):\n  " +
           pgpassField(host) + ":" + pgpassField(key.port) + ":" + pgpassField(key.database) + ":" +
           pgpassField(key.user) +
           ":PASSWORD\nor in the desktop keyring, with this command (it asks for the "
           "password):\n  " +
           keyringStoreCommand(key);
}

// The server's words say it turned the password down (rather than, say, the database).
bool passwordRefused(const std::string& why) {
    return why.find("password authentication failed") != std::string::npos ||
           why.find("SASL authentication failed") != std::string::npos;
}

}  // namespace

// --- PgRows -------------------------------------------------------------------

PgRows::PgRows(pg_result* result) : m_result(result) {}
PgRows::~PgRows() {
    if (m_result) PQclear(m_result);
}
PgRows::PgRows(PgRows&& other) noexcept : m_result(std::exchange(other.m_result, nullptr)) {}
PgRows& PgRows::operator=(PgRows&& other) noexcept {
    if (this != &other) {
        if (m_result) PQclear(m_result);
        m_result = std::exchange(other.m_result, nullptr);
    }
    return *this;
}
int PgRows::rows() const {
    return m_result ? PQntuples(m_result) : 0;
}
int PgRows::columns() const {
    return m_result ? PQnfields(m_result) : 0;
}
bool PgRows::isNull(int row, int column) const {
    return PQgetisnull(m_result, row, column) != 0;
}
std::string PgRows::text(int row, int column) const {
    return std::string(PQgetvalue(m_result, row, column),
                       static_cast<std::size_t>(PQgetlength(m_result, row, column)));
}
long PgRows::affected() const {
    const char* n = m_result ? PQcmdTuples(m_result) : nullptr;
    return n && *n ? std::stol(n) : 0;
}

// --- PgConnection ---------------------------------------------------------------

namespace {

// The server asked for a password and ~/.pgpass had none: asks the desktop
// keyring and connects again with its password.  Ok when `conn` now holds
// the new attempt (connected or failed for another reason); otherwise the
// message that says how to give the password.
Status retryWithKeyring(const std::string& conninfo, const std::string& server,
                        ConnectionPtr& conn) {
    const KeyringKey key = keyringKeyOf(conn.get());
    const KeyringAnswer found = askKeyring(key);
    if (found.outcome != KeyringAnswer::Outcome::Found) {
        return Status::unavailable("The customer database server (" + server +
                                   ") wants a password for the user " + key.user +
                                   ", and none was found: ~/.pgpass has no line for it and " +
                                   describeKeyringMiss(found) + ". " + passwordHelp(key));
    }
    // The password goes to libpq as a parameter beside the connection
    // string (later parameters win), never spliced into a text.
    const std::array<const char*, 3> keywords{"dbname", "password", nullptr};
    const std::array<const char*, 3> values{conninfo.c_str(), found.password.c_str(), nullptr};
    conn.reset(PQconnectdbParams(keywords.data(), values.data(), 1));
    if (!conn) return Status::unavailable("Out of memory while connecting to the server.");
    if (PQstatus(conn.get()) == CONNECTION_OK || !PQconnectionUsedPassword(conn.get())) {
        return Status::ok();
    }
    const std::string why = trimmedMessage(PQerrorMessage(conn.get()));
    if (!passwordRefused(why)) return Status::ok();
    return Status::unavailable(
        "The customer database server (" + server +
        ") refused the password from the desktop keyring for the user " + key.user + ": " + why +
        ". If the password has changed, store the new one with:\n  " + keyringStoreCommand(key));
}

}  // namespace

Result<std::unique_ptr<PgConnection>> PgConnection::connect(const std::string& conninfo,
                                                            Failure* failure) {
    Failure ignored = Failure::None;
    Failure& why = failure != nullptr ? *failure : ignored;
    why = Failure::None;
    ConnectionPtr conn(PQconnectdb(conninfo.c_str()));
    if (!conn) {
        why = Failure::Unreachable;
        return Status::unavailable("Out of memory while connecting to the server.");
    }
    const std::string server = describeServer(conn.get());
    if (PQstatus(conn.get()) != CONNECTION_OK && PQconnectionNeedsPassword(conn.get())) {
        if (Status s = retryWithKeyring(conninfo, server, conn); !s) {
            why = Failure::Login;
            return s;
        }
    }
    if (PQstatus(conn.get()) != CONNECTION_OK) {
        const std::string message = trimmedMessage(PQerrorMessage(conn.get()));
        why = passwordRefused(message) ? Failure::Login : Failure::Unreachable;
        return Status::unavailable("The customer database server (" + server +
                                   ") cannot be reached: " + message);
    }
    // Texts cross as UTF-8 whatever the server's default; dates as ISO.
    PQsetClientEncoding(conn.get(), "UTF8");
    auto connection = std::unique_ptr<PgConnection>(new PgConnection(conn.release(), server));
    if (auto r = connection->exec("SET datestyle = 'ISO, YMD'"); !r) return r.status();
    return connection;
}

PgConnection::PgConnection(pg_conn* conn, std::string server)
    : m_conn(conn), m_server(std::move(server)) {}

PgConnection::~PgConnection() {
    PQfinish(m_conn);
}

bool PgConnection::isBroken() const {
    return PQstatus(m_conn) != CONNECTION_OK;
}

Status PgConnection::failure(pg_result* result, std::string_view what) const {
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const std::string message =
        trimmedMessage(result ? PQresultErrorMessage(result) : PQerrorMessage(m_conn));
    if (isBroken() || (state && isUnavailableState(state))) {
        return Status::unavailable("The customer database server (" + m_server +
                                   ") cannot be reached: " + message);
    }
    const std::string text = "The customer database server (" + m_server + ") refused " +
                             std::string(what) + ": " + message;
    if (state && (std::string_view(state) == "40001" || std::string_view(state) == "40P01")) {
        return Status::busy(text);
    }
    if (state && std::string_view(state).substr(0, 2) == "42") return Status::unsupported(text);
    return Status::ioError(text);
}

Result<PgRows> PgConnection::exec(std::string_view sql, const std::vector<PgParam>& params) {
    std::vector<const char*> values;
    std::vector<int> lengths;
    values.reserve(params.size());
    lengths.reserve(params.size());
    for (const PgParam& p : params) {
        values.push_back(p ? p->c_str() : nullptr);
        lengths.push_back(p ? static_cast<int>(p->size()) : 0);
    }
    const std::string statement(sql);
    pg_result* raw = PQexecParams(m_conn, statement.c_str(), static_cast<int>(params.size()),
                                  nullptr, values.data(), lengths.data(), nullptr, 0);
    const ExecStatusType status = raw ? PQresultStatus(raw) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return PgRows(raw);
    Status s = failure(raw, "a request");
    if (raw) PQclear(raw);
    return s;
}

Status PgConnection::execScript(std::string_view sql) {
    const std::string script(sql);
    pg_result* raw = PQexec(m_conn, script.c_str());
    const ExecStatusType status = raw ? PQresultStatus(raw) : PGRES_FATAL_ERROR;
    Status s = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK
                   ? Status::ok()
                   : failure(raw, "a change of its tables");
    if (raw) PQclear(raw);
    return s;
}

Result<long> PgConnection::copyIn(std::string_view sql,
                                  const std::function<Result<bool>(std::string&)>& fill) {
    const std::string statement(sql);
    pg_result* start = PQexec(m_conn, statement.c_str());
    if (!start || PQresultStatus(start) != PGRES_COPY_IN) {
        Status s = failure(start, "a copy");
        if (start) PQclear(start);
        return s;
    }
    PQclear(start);
    std::string buffer;
    Status s;
    for (bool more = true; more && s;) {
        buffer.clear();
        auto filled = fill(buffer);
        if (!filled) {
            s = filled.status();
            break;
        }
        more = *filled;
        if (!buffer.empty() &&
            PQputCopyData(m_conn, buffer.data(), static_cast<int>(buffer.size())) != 1) {
            s = failure(nullptr, "a copy");
        }
    }
    // A failed fill ends the copy with an error, so the server keeps nothing of it.
    if (PQputCopyEnd(m_conn, s ? nullptr : "the copy was stopped") != 1 && s) {
        s = failure(nullptr, "a copy");
    }
    long copied = 0;
    while (pg_result* r = PQgetResult(m_conn)) {
        if (PQresultStatus(r) == PGRES_COMMAND_OK) {
            const char* n = PQcmdTuples(r);
            copied = n && *n ? std::stol(n) : 0;
        } else if (s) {
            s = failure(r, "a copy");
        }
        PQclear(r);
    }
    if (!s) return s;
    return copied;
}

// --- PgTransaction ----------------------------------------------------------------

PgTransaction::PgTransaction(PgConnection& connection) : m_connection(connection) {
    m_begun = m_connection.execScript("BEGIN");
    m_open = m_begun.isOk();
}

PgTransaction::~PgTransaction() {
    if (m_open && !m_connection.isBroken()) (void)m_connection.execScript("ROLLBACK");
}

Status PgTransaction::commit() {
    if (!m_open) return m_begun.isOk() ? Status::ok() : m_begun;
    m_open = false;
    return m_connection.execScript("COMMIT");
}

}  // namespace quivra::chain
