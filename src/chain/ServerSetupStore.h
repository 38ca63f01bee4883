#pragma once
// ServerSetupStore: the saved set-ups of the whole chain on the PostgreSQL
// server (SetupStore.h).  Browsing walks the name order of every shop's
// set-ups (upper(name) in byte order, then the UUID) a row at a time, so it
// costs the same on ten set-ups or ten million; the name search is a prefix
// search that ignores case.  New set-ups are saved for the store's shop; an
// export writes that shop's set-ups.  A customer's history is read with the
// newest arrow of each set-up in one query, through the name index and the
// builds' index on their set-up.  The server keeps every text exactly:
// no field has a width.
//
// The connection is borrowed and must outlive the store; the schema must be
// current (migrate()).  Calls fail Unavailable when the server cannot be
// reached.

#include "SetupSql.h"
#include "SetupStore.h"

#include <optional>

namespace quivra::chain {

class ServerSetupStore final : public customers::SetupStore {
public:
    ServerSetupStore(PgConnection& connection, int shopId);

    core::Status open(const storage::ProgressFn& progress = {}) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return m_open; }
    [[nodiscard]] core::Status damage() const override { return core::Status::ok(); }
    std::string takeNotice() override { return {}; }
    core::Result<bool> isEmpty() override;

    // Saves under a new UUID.
    customers::AppendOutcome appendSetup(const customers::CustomerAddress& address,
                                         const customers::SetupCodes& codes,
                                         const std::chrono::year_month_day& date) override;
    // Saves under `uuid`, made `created` (ISO 8601); a UUID already there is
    // left as it is and counts as saved.
    customers::AppendOutcome storeSetup(const std::string& uuid, const customers::SavedSetup& setup,
                                        const std::string& created);
    // Saves under new UUIDs, the set-up and its arrow in one transaction.
    customers::AppendOutcome appendSetupWithBuild(const customers::CustomerAddress& address,
                                                  const customers::SetupCodes& codes,
                                                  const std::chrono::year_month_day& date,
                                                  const customers::SavedBuild& build) override;
    // Saves the set-up under `uuid` and its arrow (`build.savedAt` as
    // given) under `buildUuid` in one transaction; what is there already
    // is left as it is and counts as saved.
    customers::AppendOutcome storeSetupWithBuild(const std::string& uuid,
                                                 const customers::SavedSetup& setup,
                                                 const std::string& buildUuid,
                                                 const customers::SavedBuild& build,
                                                 const std::string& created);

    core::Status first() override;
    core::Status next() override;
    core::Status previous() override;
    core::Status last() override;
    core::Result<bool> seekName(std::string_view letters) override;
    [[nodiscard]] bool atEnd() const override { return !m_current.has_value(); }
    [[nodiscard]] customers::SetupId currentId() const override;
    core::Status goToId(const customers::SetupId& id) override;
    [[nodiscard]] core::Result<customers::SavedSetup> current() const override;

    core::Status beginEdit() override;
    core::Status postAddress(const customers::CustomerAddress& address) override;
    void cancelEdit() override { m_editing = false; }
    [[nodiscard]] bool isEditing() const override { return m_editing; }

    [[nodiscard]] int textWidth(std::string_view) const override { return 0; }

    core::Result<std::vector<customers::HistoryEntry>> history(
        const customers::CustomerAddress& customer) override;
    core::Status exportText(const std::filesystem::path& target,
                            const storage::ProgressFn& progress = {}) override;

private:
    // Runs a query of at most one set-up row and stands on it (or at end).
    core::Status standOn(std::string_view where, const std::vector<PgParam>& params);

    PgConnection& m_connection;
    int m_shopId;
    bool m_open = false;
    bool m_editing = false;
    std::optional<ServerSetup> m_current;
};

}  // namespace quivra::chain
