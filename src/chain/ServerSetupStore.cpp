#include "ServerSetupStore.h"

#include "BuildSql.h"
#include "CustomerHistory.h"
#include "DateText.h"
#include "ServerExport.h"

#include <algorithm>

namespace quivra::chain {

using core::Result;
using core::Status;
using customers::AppendOutcome;
using customers::SavedSetup;

namespace {

// The first or last row of the name order, or the row after or before a
// key: the comparisons match the setups_name index, so each step reads one
// index entry.
constexpr std::string_view kOrderUp = R"( ORDER BY upper(name) COLLATE "C", id LIMIT 1)";
constexpr std::string_view kOrderDown =
    R"( ORDER BY upper(name) COLLATE "C" DESC, id DESC LIMIT 1)";

// The smallest text above every text that begins with a prefix, in byte
// order: the prefix followed by the highest code point (U+10FFFF).
constexpr std::string_view kAfterEveryText = "\xF4\x8F\xBF\xBF";

}  // namespace

ServerSetupStore::ServerSetupStore(PgConnection& connection, int shopId)
    : m_connection(connection), m_shopId(shopId) {}

Status ServerSetupStore::open(const storage::ProgressFn&) {
    m_open = true;
    if (Status s = first(); !s) {
        m_open = false;
        return s;
    }
    return Status::ok();
}

void ServerSetupStore::close() {
    m_open = false;
    m_editing = false;
    m_current.reset();
}

Result<bool> ServerSetupStore::isEmpty() {
    auto r = m_connection.exec("SELECT EXISTS (SELECT 1 FROM setups)");
    if (!r) return r.status();
    return r->text(0, 0) != "t";
}

Status ServerSetupStore::standOn(std::string_view where, const std::vector<PgParam>& params) {
    std::string sql = "SELECT ";
    sql += setupColumns();
    sql += " FROM setups";
    sql += where;
    auto r = m_connection.exec(sql, params);
    if (!r) return r.status();
    if (r->rows() == 0) {
        m_current.reset();
    } else {
        m_current = setupFromRow(*r, 0);
    }
    return Status::ok();
}

Status ServerSetupStore::first() {
    return standOn(kOrderUp, {});
}

Status ServerSetupStore::last() {
    return standOn(kOrderDown, {});
}

Status ServerSetupStore::next() {
    if (!m_current) return Status::ok();
    std::string where = R"( WHERE (upper(name) COLLATE "C", id) > ($1, $2::uuid))";
    where += kOrderUp;
    return standOn(where, {m_current->nameKey, m_current->id});
}

Status ServerSetupStore::previous() {
    if (!m_current) return last();
    const ServerSetup here = *m_current;
    std::string where = R"( WHERE (upper(name) COLLATE "C", id) < ($1, $2::uuid))";
    where += kOrderDown;
    if (Status s = standOn(where, {here.nameKey, here.id}); !s) return s;
    if (!m_current) m_current = here;  // before the first: stay, as the table does
    return Status::ok();
}

Result<bool> ServerSetupStore::seekName(std::string_view letters) {
    // A range on the index from the upper-cased letters to the highest text
    // that begins with them; starts_with keeps the match exact.
    std::string where = R"( WHERE upper(name) COLLATE "C" >= upper($1) COLLATE "C")"
                        R"( AND upper(name) COLLATE "C" < (upper($1) || $2) COLLATE "C")"
                        R"( AND starts_with(upper(name), upper($1)))";
    where += kOrderUp;
    if (Status s = standOn(where, {std::string(letters), std::string(kAfterEveryText)}); !s) {
        return s;
    }
    return m_current.has_value();
}

customers::SetupId ServerSetupStore::currentId() const {
    return m_current ? m_current->id : customers::SetupId();
}

Status ServerSetupStore::goToId(const customers::SetupId& id) {
    if (Status s = standOn(" WHERE id = $1::uuid", {id}); !s) return s;
    if (!m_current) return Status::notFound("The set-up " + id + " is no longer on the server.");
    return Status::ok();
}

Result<SavedSetup> ServerSetupStore::current() const {
    if (!m_current) return SavedSetup{};
    return m_current->setup;
}

AppendOutcome ServerSetupStore::storeSetup(const std::string& uuid, const SavedSetup& setup,
                                           const std::string& created) {
    auto r = insertSetup(m_connection, m_shopId, uuid, setup, created);
    return {r.status(), r.isOk()};
}

AppendOutcome ServerSetupStore::appendSetup(const customers::CustomerAddress& address,
                                            const customers::SetupCodes& codes,
                                            const std::chrono::year_month_day& date) {
    return storeSetup(newUuid(), SavedSetup{address, customers::shortDateText(date), codes},
                      utcNowText());
}

AppendOutcome ServerSetupStore::storeSetupWithBuild(const std::string& uuid,
                                                    const SavedSetup& setup,
                                                    const std::string& buildUuid,
                                                    const customers::SavedBuild& build,
                                                    const std::string& created) {
    if (Status s = checkStorable(build); !s) return {s, false};
    PgTransaction transaction(m_connection);
    if (!transaction.begun()) return {transaction.begun(), false};
    auto setupRow = insertSetup(m_connection, m_shopId, uuid, setup, created);
    if (!setupRow) return {setupRow.status(), false};
    auto buildRow = insertBuild(m_connection, m_shopId, buildUuid, uuid, build, created);
    if (!buildRow) return {buildRow.status(), false};
    const Status s = transaction.commit();
    return {s, s.isOk(), 0, s.isOk()};
}

AppendOutcome ServerSetupStore::appendSetupWithBuild(const customers::CustomerAddress& address,
                                                     const customers::SetupCodes& codes,
                                                     const std::chrono::year_month_day& date,
                                                     const customers::SavedBuild& build) {
    customers::SavedBuild stamped = build;
    stamped.savedAt = customers::timestampNow();
    return storeSetupWithBuild(newUuid(),
                               SavedSetup{address, customers::shortDateText(date), codes},
                               newUuid(), stamped, utcNowText());
}

Status ServerSetupStore::beginEdit() {
    if (!m_current) return Status::invalidArgument("There is no set-up to edit.");
    m_editing = true;
    return Status::ok();
}

Status ServerSetupStore::postAddress(const customers::CustomerAddress& address) {
    if (!m_editing || !m_current) return Status::invalidArgument("No set-up is being edited.");
    auto r = updateAddress(m_connection, m_current->id, address, utcNowText());
    if (!r) return r.status();  // still editing: the user may post again
    if (!*r) return Status::notFound("The set-up being edited is no longer on the server.");
    m_editing = false;
    return goToId(m_current->id);
}

Result<std::vector<customers::HistoryEntry>> ServerSetupStore::history(
    const customers::CustomerAddress& customer) {
    // The customer's name through the name index, each set-up with its
    // newest arrow through the builds' index; the address is compared here,
    // by the same rule as the local tables' history.
    std::string sql = "SELECT s.*, ";
    sql += buildColumns("b");
    sql += " FROM (SELECT ";
    sql += setupColumns();
    sql += R"(, created AS s_created FROM setups)"
           R"( WHERE upper(name) COLLATE "C" = upper($1) COLLATE "C") AS s)"
           " LEFT JOIN LATERAL (SELECT * FROM builds WHERE builds.setup_id = s.id"
           " ORDER BY builds.created DESC, builds.id DESC LIMIT 1) AS b ON true"
           " ORDER BY s.s_created DESC, s.id DESC";
    auto r = m_connection.exec(sql, {customer.name});
    if (!r) return r.status();
    const int firstBuildColumn = r->columns() - buildColumnCount();
    std::vector<customers::HistoryEntry> entries;
    for (int i = 0; i < r->rows(); ++i) {
        ServerSetup s = setupFromRow(*r, i);
        if (!customers::sameCustomer(s.setup.address, customer)) continue;
        customers::HistoryEntry e{std::move(s.id), std::move(s.setup), std::nullopt};
        if (!r->isNull(i, firstBuildColumn)) e.build = buildFromRow(*r, i, firstBuildColumn);
        entries.push_back(std::move(e));
    }
    customers::sortNewestFirst(entries);
    return entries;
}

Status ServerSetupStore::exportText(const std::filesystem::path& target,
                                    const storage::ProgressFn& progress) {
    return exportSetupsText(m_connection, m_shopId, target, progress);
}

}  // namespace quivra::chain
