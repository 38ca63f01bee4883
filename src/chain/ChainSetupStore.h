#pragma once
// ChainSetupStore: the store of a counter that keeps its customers on the
// chain's server (SetupStore.h).  It browses, finds and saves on the server
// while the server answers.  When the server cannot be reached, at open or
// in the middle of a save, it works offline: saves and address changes go
// to the outbox (sent by the background sync, by UUID, never twice) and a
// copy into the local tables, and browsing and the name search use the
// local tables.  The clerk is told once per offline period: "Working
// offline since 10:42; 3 saves waiting".
//
// An address changed offline on a local record reaches the server when the
// record was saved offline here (the outbox knows its UUID); other local
// records are only corrected locally.

#include "CustomerBase.h"
#include "SavedSetupStore.h"
#include "ServerSetupStore.h"

#include <memory>
#include <optional>

namespace quivra::chain {

class ChainSetupStore final : public customers::SetupStore {
public:
    // `base` and `io` must outlive the store.
    ChainSetupStore(CustomerBase& base, storage::FileIo& io);

    core::Status open(const storage::ProgressFn& progress = {}) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return m_active != nullptr; }
    [[nodiscard]] core::Status damage() const override;
    std::string takeNotice() override;
    core::Result<bool> isEmpty() override { return m_active->isEmpty(); }

    customers::AppendOutcome appendSetup(const customers::CustomerAddress& address,
                                         const customers::SetupCodes& codes,
                                         const std::chrono::year_month_day& date) override;
    // The set-up and its arrow in one transaction on the server, or both in
    // one outbox entry (and a local copy of both) while offline.
    customers::AppendOutcome appendSetupWithBuild(const customers::CustomerAddress& address,
                                                  const customers::SetupCodes& codes,
                                                  const std::chrono::year_month_day& date,
                                                  const customers::SavedBuild& build) override;

    core::Status first() override { return m_active->first(); }
    core::Status next() override { return m_active->next(); }
    core::Status previous() override { return m_active->previous(); }
    core::Status last() override { return m_active->last(); }
    core::Result<bool> seekName(std::string_view letters) override {
        return m_active->seekName(letters);
    }
    [[nodiscard]] bool atEnd() const override { return m_active->atEnd(); }
    [[nodiscard]] customers::SetupId currentId() const override { return m_active->currentId(); }
    core::Status goToId(const customers::SetupId& id) override { return m_active->goToId(id); }
    [[nodiscard]] core::Result<customers::SavedSetup> current() const override {
        return m_active->current();
    }

    core::Status beginEdit() override { return m_active->beginEdit(); }
    core::Status postAddress(const customers::CustomerAddress& address) override;
    void cancelEdit() override { m_active->cancelEdit(); }
    [[nodiscard]] bool isEditing() const override { return m_active->isEditing(); }
    [[nodiscard]] int textWidth(std::string_view field) const override {
        return m_active->textWidth(field);
    }

    core::Result<std::vector<customers::HistoryEntry>> history(
        const customers::CustomerAddress& customer) override {
        return m_active->history(customer);
    }
    // The shop's set-ups from the server; refused while offline, since the
    // local tables hold only part of them.
    core::Status exportText(const std::filesystem::path& target,
                            const storage::ProgressFn& progress = {}) override;

    // True while browsing the local tables.
    [[nodiscard]] bool isOffline() const { return m_active == m_local.get(); }

private:
    // An arrow to save with a set-up.
    struct BuildToSave {
        std::string uuid;
        customers::SavedBuild build;
    };
    // Saves a new set-up (with its arrow) on the server when it answers,
    // else for the server through the outbox.
    customers::AppendOutcome saveSetup(const customers::SavedSetup& setup,
                                       const std::chrono::year_month_day& date,
                                       const std::optional<BuildToSave>& build);
    // Keeps a save for the server: outbox first, then the local copy.
    customers::AppendOutcome queueSetup(const std::string& uuid, const customers::SavedSetup& setup,
                                        const std::string& created,
                                        const std::chrono::year_month_day& date,
                                        const std::optional<BuildToSave>& build);
    core::Status queueAddress(const std::string& uuid, const customers::CustomerAddress& address);
    void noteOffline(const core::Status& why);

    CustomerBase& m_base;
    storage::FileIo& m_io;
    std::unique_ptr<ServerSetupStore> m_server;
    std::unique_ptr<customers::SavedSetupStore> m_local;
    customers::SetupStore* m_active = nullptr;
    std::string m_notice;
};

}  // namespace quivra::chain
