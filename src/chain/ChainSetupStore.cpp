#include "ChainSetupStore.h"

#include "BuildSql.h"
#include "DateText.h"

namespace quivra::chain {

using core::Status;
using customers::AppendOutcome;
using customers::SavedSetup;

ChainSetupStore::ChainSetupStore(CustomerBase& base, storage::FileIo& io)
    : m_base(base), m_io(io) {}

Status ChainSetupStore::open(const storage::ProgressFn& progress) {
    close();
    auto connection = m_base.connection();
    if (connection) {
        m_server = std::make_unique<ServerSetupStore>(**connection, m_base.shopId());
        Status s = m_server->open(progress);
        if (s) {
            m_active = m_server.get();
            return s;
        }
        m_server.reset();
        if (s.code() != Status::Code::Unavailable) return s;
        noteOffline(s);
    } else if (connection.status().code() != Status::Code::Unavailable) {
        return connection.status();
    }
    // Offline: the local tables.
    m_local = std::make_unique<customers::SavedSetupStore>(m_base.dataDir(), m_io);
    if (Status s = m_local->open(progress); !s) {
        m_local.reset();
        return s;
    }
    m_active = m_local.get();
    return Status::ok();
}

void ChainSetupStore::close() {
    if (m_local) m_local->close();
    if (m_server) m_server->close();
    m_active = nullptr;
    m_local.reset();
    m_server.reset();
}

Status ChainSetupStore::damage() const {
    return m_active ? m_active->damage() : Status::ok();
}

void ChainSetupStore::noteOffline(const Status& why) {
    if (why.code() == Status::Code::Unavailable) m_base.wentOffline();
}

std::string ChainSetupStore::takeNotice() {
    std::string notice = std::exchange(m_notice, std::string());
    if (m_active) customers::addNotice(notice, m_active->takeNotice());
    customers::addNotice(notice, m_base.takeOfflineNotice());
    return notice;
}

AppendOutcome ChainSetupStore::appendSetup(const customers::CustomerAddress& address,
                                           const customers::SetupCodes& codes,
                                           const std::chrono::year_month_day& date) {
    return saveSetup(SavedSetup{address, customers::shortDateText(date), codes}, date,
                     std::nullopt);
}

AppendOutcome ChainSetupStore::appendSetupWithBuild(const customers::CustomerAddress& address,
                                                    const customers::SetupCodes& codes,
                                                    const std::chrono::year_month_day& date,
                                                    const customers::SavedBuild& build) {
    BuildToSave arrow{newUuid(), build};
    arrow.build.savedAt = customers::timestampNow();
    return saveSetup(SavedSetup{address, customers::shortDateText(date), codes}, date, arrow);
}

AppendOutcome ChainSetupStore::saveSetup(const SavedSetup& setup,
                                         const std::chrono::year_month_day& date,
                                         const std::optional<BuildToSave>& build) {
    if (Status s = checkStorable(setup); !s) return {s, false};
    if (build) {
        if (Status s = checkStorable(build->build); !s) return {s, false};
    }
    const std::string uuid = newUuid();
    const std::string created = utcNowText();
    if (m_server) {
        AppendOutcome outcome =
            build ? m_server->storeSetupWithBuild(uuid, setup, build->uuid, build->build, created)
                  : m_server->storeSetup(uuid, setup, created);
        if (outcome.status || outcome.status.code() != Status::Code::Unavailable) return outcome;
        // The server went away during the save: it may or may not have
        // committed it.  The outbox sends it again by the same UUIDs, which
        // the server keeps once.
        noteOffline(outcome.status);
    }
    return queueSetup(uuid, setup, created, date, build);
}

AppendOutcome ChainSetupStore::queueSetup(const std::string& uuid, const SavedSetup& setup,
                                          const std::string& created,
                                          const std::chrono::year_month_day& date,
                                          const std::optional<BuildToSave>& build) {
    auto shop = m_base.readShopName();
    if (!shop) return {shop.status(), false};
    OutboxEntry entry;
    entry.uuid = uuid;
    entry.kind = OutboxEntry::Kind::NewSetup;
    entry.queued = created;
    entry.shop = *shop;
    entry.setup = setup;
    if (build) {
        entry.buildUuid = build->uuid;
        entry.build = build->build;
    }
    // The generation the entry went into: the first save of a folder makes
    // the outbox, and with it a new generation.
    std::string generation;
    auto recNo = m_base.outbox().add(entry, &generation);
    if (!recNo) return {recNo.status(), false};
    // The save is kept from here on, its arrow with it.  The copy in the
    // local tables lets this counter find it while offline; should it fail,
    // the save still reaches the server.
    customers::SavedSetupStore* local = m_local.get();
    customers::SavedSetupStore own(m_base.dataDir(), m_io);
    Status copied = Status::ok();
    if (!local) {
        copied = own.open();
        local = &own;
    }
    if (copied) {
        const AppendOutcome copy =
            build ? local->appendSetupWithBuild(setup.address, setup.codes, date, build->build)
                  : local->appendSetup(setup.address, setup.codes, date);
        copied = copy.status;
        if (copy.stored) {
            // The outbox may have been emptied in between: the generation
            // check then leaves it alone.
            (void)m_base.outbox().setLocalRecord(generation, *recNo, copy.recNo);
        }
    }
    if (!copied) {
        m_notice =
            "The set-up is kept for the customer database server, but this computer's "
            "list could not take a copy: " +
            copied.message();
    }
    if (local == &own) own.close();
    m_base.nudge();
    return {Status::ok(), true, 0, build.has_value()};
}

Status ChainSetupStore::queueAddress(const std::string& uuid,
                                     const customers::CustomerAddress& address) {
    OutboxEntry entry;
    entry.uuid = uuid;
    entry.kind = OutboxEntry::Kind::Address;
    entry.queued = utcNowText();
    entry.setup.address = address;
    auto recNo = m_base.outbox().add(entry);
    if (!recNo) return recNo.status();
    m_base.nudge();
    return Status::ok();
}

Status ChainSetupStore::postAddress(const customers::CustomerAddress& address) {
    if (m_active == m_server.get()) {
        Status s = m_server->postAddress(address);
        if (s || s.code() != Status::Code::Unavailable) return s;
        noteOffline(s);
        if (Status c = checkStorable(SavedSetup{address, {}, {}}); !c) return c;
        const std::string uuid = m_server->currentId();
        if (Status q = queueAddress(uuid, address); !q) return q;
        m_server->cancelEdit();
        return Status::ok();
    }
    if (Status c = checkStorable(SavedSetup{address, {}, {}}); !c) return c;
    const std::uint32_t localRec = m_local->recNo();
    if (Status s = m_local->postAddress(address); !s) return s;
    auto uuid = m_base.outbox().uuidOfLocalRecord(localRec);
    if (uuid && *uuid) return queueAddress(**uuid, address);
    return Status::ok();
}

Status ChainSetupStore::exportText(const std::filesystem::path& target,
                                   const storage::ProgressFn& progress) {
    if (m_active == m_server.get()) {
        Status s = m_server->exportText(target, progress);
        if (s.code() == Status::Code::Unavailable) noteOffline(s);
        return s;
    }
    return Status::unavailable(
        "The shop's set-ups are kept on the customer database server, which cannot be reached "
        "now, and this computer holds only some of them. Export again when the server is back.");
}

}  // namespace quivra::chain
