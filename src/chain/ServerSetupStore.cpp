#include "ServerSetupStore.h"

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
    sql += kSetupColumns;
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
    std::string sql = "SELECT ";
    sql += kSetupColumns;
    sql += R"( FROM setups WHERE upper(name) COLLATE "C" = upper($1) COLLATE "C")"
           " AND name = $1 AND addr1 = $2 AND addr2 = $3 AND city = $4 AND state = $5"
           " AND zip = $6 AND country = $7 ORDER BY created DESC, id DESC";
    auto r = m_connection.exec(sql, {customer.name, customer.addr1, customer.addr2, customer.city,
                                     customer.state, customer.zip, customer.country});
    if (!r) return r.status();
    std::vector<customers::HistoryEntry> entries;
    entries.reserve(static_cast<std::size_t>(r->rows()));
    for (int i = 0; i < r->rows(); ++i) {
        ServerSetup s = setupFromRow(*r, i);
        entries.push_back({std::move(s.id), std::move(s.setup)});
    }
    return entries;
}

Status ServerSetupStore::exportText(const std::filesystem::path& target,
                                    const storage::ProgressFn& progress) {
    return exportSetupsText(m_connection, m_shopId, target, progress);
}

}  // namespace quivra::chain
