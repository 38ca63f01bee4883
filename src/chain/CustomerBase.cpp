#include "CustomerBase.h"

#include "ChainSetupStore.h"
#include "Clock.h"
#include "SavedSetupStore.h"
#include "Schema.h"
#include "ShopRecord.h"
#include "TicketCounter.h"
#include "TicketNumbers.h"

#include <cstdio>
#include <limits>
#include <map>

namespace quivra::chain {

using core::Result;
using core::Status;

namespace {

std::mutex& registryMutex() {
    static std::mutex m;
    return m;
}

std::map<std::filesystem::path, std::unique_ptr<CustomerBase>>& registry() {
    static std::map<std::filesystem::path, std::unique_ptr<CustomerBase>> bases;
    return bases;
}

std::string clockText() {
    const core::LocalDateTime now = core::Clock::instance().now();
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", now.hour % 24, now.minute % 60);
    return text;
}

}  // namespace

CustomerBase& CustomerBase::of(const std::filesystem::path& dataDir) {
    const std::lock_guard lock(registryMutex());
    auto& slot = registry()[dataDir];
    if (!slot) slot = std::make_unique<CustomerBase>(dataDir, true);
    return *slot;
}

void CustomerBase::startFor(const std::filesystem::path& dataDir) {
    CustomerBase& base = of(dataDir);
    if (base.usesServer()) {
        base.startSync();
        return;
    }
    // Saves left from a time the server was chosen are still sent.
    const auto waiting = base.m_outbox.pendingCount();
    if (waiting && *waiting > 0) base.startSync();
}

void CustomerBase::shutdownAll() {
    std::map<std::filesystem::path, std::unique_ptr<CustomerBase>> bases;
    {
        const std::lock_guard lock(registryMutex());
        bases.swap(registry());
    }
    bases.clear();  // each one stops its sync
}

CustomerBase::CustomerBase(std::filesystem::path dataDir, bool backgroundSync)
    : m_dataDir(std::move(dataDir)), m_backgroundSync(backgroundSync), m_outbox(m_dataDir) {
    (void)reloadSettings();
}

CustomerBase::~CustomerBase() {
    stopSync();
}

Status CustomerBase::reloadSettings() {
    auto settings = customers::loadCustomerDbSettings(m_dataDir);
    m_connection.reset();
    const std::lock_guard lock(m_mutex);
    m_settingsStatus = settings.status();
    if (settings) m_settings = *settings;
    m_retryAt = {};
    return m_settingsStatus;
}

std::pair<customers::CustomerDbSettings, Status> CustomerBase::settings() const {
    const std::lock_guard lock(m_mutex);
    return {m_settings, m_settingsStatus};
}

bool CustomerBase::usesServer() const {
    return settings().first.kind == customers::CustomerDbKind::Server;
}

Result<std::unique_ptr<customers::SetupStore>> CustomerBase::store(storage::FileIo& io) {
    if (Status s = settings().second; !s) return s;
    if (!usesServer())
        return std::unique_ptr<customers::SetupStore>(
            std::make_unique<customers::SavedSetupStore>(m_dataDir, io));
    return std::unique_ptr<customers::SetupStore>(std::make_unique<ChainSetupStore>(*this, io));
}

Result<std::string> CustomerBase::readShopName() const {
    auto shop = customers::loadShopRecord(m_dataDir);
    if (!shop) return shop.status();
    if (shop->name.empty()) {
        return Status::invalidArgument(
            "Give the shop its name in Shop Information first: the customer database server "
            "tells the shops of the chain apart by their names.");
    }
    return shop->name;
}

Status CustomerBase::connectWindowConnection() {
    const auto [current, status] = settings();
    if (!status) return status;
    if (Status s = customers::checkCustomerDbSettings(current); !s) return s;
    auto shop = readShopName();
    if (!shop) return shop.status();
    PgConnection::Failure failure = PgConnection::Failure::None;
    auto connection = PgConnection::connect(customers::connectionString(current), &failure);
    noteLogin(failure, connection.status());
    if (!connection) return connection.status();
    if (Status s = migrate(**connection); !s) return s;
    auto id = chain::shopId(**connection, *shop);
    if (!id) return id.status();
    m_connection = std::move(connection).value();
    m_shopId = *id;
    m_shopName = *shop;
    return Status::ok();
}

Result<PgConnection*> CustomerBase::connection() {
    if (m_connection && !m_connection->isBroken()) return m_connection.get();
    m_connection.reset();
    if (!usesServer()) {
        return Status::invalidArgument("This computer keeps its customers in its own tables.");
    }
    {
        const std::lock_guard lock(m_mutex);
        if (m_offline && std::chrono::steady_clock::now() < m_retryAt) {
            return Status::unavailable("Working offline since " + m_offlineSince + ".");
        }
    }
    if (Status s = connectWindowConnection(); !s) {
        if (s.code() == Status::Code::Unavailable) wentOffline();
        return s;
    }
    const std::lock_guard lock(m_mutex);
    m_offline = false;
    return m_connection.get();
}

Result<std::uint32_t> CustomerBase::nextTicketNumber() {
    if (!usesServer()) return customers::nextTicketNumber(m_dataDir);
    auto shop = readShopName();
    if (!shop) return shop.status();
    TicketNumbers tickets(m_dataDir, *shop);
    // Topping up is best effort: the numbers in hand are enough to go on.
    Status topUp = Status::ok();
    if (auto link = connection(); !link) {
        topUp = link.status();
    } else if (topUp = tickets.reserve(**link, m_shopId);
               topUp.code() == Status::Code::Unavailable) {
        wentOffline();
    }
    auto number = tickets.next();
    if (!number) return topUp ? number.status() : topUp;
    if (*number < 1 || *number > std::int64_t{std::numeric_limits<std::uint32_t>::max()}) {
        return Status::corruption("The ticket number " + std::to_string(*number) +
                                  " given by the customer database server is out of range.");
    }
    return static_cast<std::uint32_t>(*number);
}

void CustomerBase::wentOffline() {
    const std::lock_guard lock(m_mutex);
    if (!m_offline) {
        m_offline = true;
        m_offlineSaid = false;
        m_offlineSince = clockText();
    }
    m_retryAt = std::chrono::steady_clock::now() + kRetryAfter;
}

bool CustomerBase::isOffline() const {
    const std::lock_guard lock(m_mutex);
    return m_offline;
}

void CustomerBase::noteLogin(PgConnection::Failure failure, const Status& status) {
    const std::lock_guard lock(m_mutex);
    if (failure == PgConnection::Failure::Login) {
        if (m_loginProblem != status.message()) m_offlineSaid = false;  // say the new reason
        m_loginProblem = status.message();
    } else if (failure == PgConnection::Failure::None) {
        m_loginProblem.clear();
    }
}

std::string CustomerBase::takeOfflineNotice() {
    std::string since;
    std::string login;
    {
        const std::lock_guard lock(m_mutex);
        if (!m_offline || m_offlineSaid) return {};
        m_offlineSaid = true;
        since = m_offlineSince;
        login = m_loginProblem;
    }
    const std::size_t waiting = m_outbox.pendingCount().valueOr(0);
    std::string notice = "Working offline since " + since + "; " + std::to_string(waiting) +
                         (waiting == 1 ? " save waiting" : " saves waiting");
    // A server that refuses the login stays away until someone acts: say why.
    if (!login.empty()) notice += "\n\n" + login;
    return notice;
}

Result<SyncReport> CustomerBase::syncNow(const std::function<bool()>& stop) {
    const auto [current, status] = settings();
    if (!status) return status;
    if (current.kind != customers::CustomerDbKind::Server) return SyncReport{};
    if (Status s = customers::checkCustomerDbSettings(current); !s) return s;
    auto waiting = m_outbox.pendingCount();
    if (!waiting) return waiting.status();
    if (*waiting == 0 && !isOffline()) return SyncReport{};
    PgConnection::Failure failure = PgConnection::Failure::None;
    auto connection =
        PgConnection::connect(customers::connectionString(current, "quivra-sync"), &failure);
    noteLogin(failure, connection.status());
    Result<SyncReport> report = connection.status();
    if (connection) {
        Status s = migrate(**connection);
        report = s ? syncOutbox(**connection, m_outbox, stop) : Result<SyncReport>(s);
    }
    if (report) {
        const std::lock_guard lock(m_mutex);
        m_offline = report->remaining > 0 && m_offline;
        m_retryAt = {};
    } else if (report.status().code() == Status::Code::Unavailable) {
        wentOffline();
    }
    return report;
}

void CustomerBase::startSync(std::chrono::milliseconds interval) {
    if (m_sync.joinable()) return;
    {
        const std::lock_guard lock(m_mutex);
        m_stop = false;
    }
    m_sync = std::thread([this, interval] { syncLoop(interval); });
}

void CustomerBase::nudge() {
    if (m_backgroundSync) startSync();
    {
        const std::lock_guard lock(m_mutex);
        m_nudged = true;
    }
    m_wake.notify_all();
}

void CustomerBase::stopSync() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_sync.joinable()) m_sync.join();
}

void CustomerBase::syncLoop(std::chrono::milliseconds interval) {
    const auto stopping = [this] {
        const std::lock_guard lock(m_mutex);
        return m_stop;
    };
    for (;;) {
        (void)syncNow(stopping);
        std::unique_lock lock(m_mutex);
        m_wake.wait_for(lock, interval, [this] { return m_stop || m_nudged; });
        if (m_stop) return;
        m_nudged = false;
    }
}

}  // namespace quivra::chain
