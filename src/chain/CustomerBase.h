#pragma once
// CustomerBase: the customer database of one data folder as this process
// uses it.  It reads the choice made in Shop Information (CustomerDb.conf),
// hands the customer windows their store, keeps the window thread's
// connection to the chain's server, knows whether the counter works
// offline, and runs the background sync that sends the outbox when the
// server is back.
//
// Threads: the windows (one thread at a time: the window's thread, or the
// worker of a progress dialog while the window waits) use store(),
// connection() and takeOfflineNotice(); the sync runs on a thread of its own
// with its own connection.  The offline state is shared under a mutex.
//
// The connection on the window's thread is tried at most once every
// kRetryAfter while offline (each try may wait up to the connect timeout of
// 5 s); in between, saves go straight to the outbox.  The sync tries every
// sync interval and, when it gets through, the next window connects again.

#include "CustomerDbSettings.h"
#include "FileIo.h"
#include "Outbox.h"
#include "OutboxSync.h"
#include "PgConnection.h"
#include "SetupStore.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace quivra::chain {

class CustomerBase {
public:
    static constexpr std::chrono::seconds kRetryAfter{30};
    static constexpr std::chrono::seconds kSyncInterval{15};

    // The customer database of `dataDir` for this process, made on first use.
    static CustomerBase& of(const std::filesystem::path& dataDir);
    // Starts the background sync of `dataDir` when it uses a server or has
    // saves waiting (program start).
    static void startFor(const std::filesystem::path& dataDir);
    // Stops every background sync and closes every connection (program end).
    static void shutdownAll();

    // With `backgroundSync`, an offline save starts the background sync when
    // it is not running yet (the bases of of() do; tests and tools sync by
    // hand with syncNow()).
    explicit CustomerBase(std::filesystem::path dataDir, bool backgroundSync = false);
    ~CustomerBase();
    CustomerBase(const CustomerBase&) = delete;
    CustomerBase& operator=(const CustomerBase&) = delete;

    // Reads CustomerDb.conf again (after Shop Information saved it) and
    // drops the connection, so the next window connects with the new settings.
    core::Status reloadSettings();
    [[nodiscard]] const std::filesystem::path& dataDir() const { return m_dataDir; }
    [[nodiscard]] bool usesServer() const;

    // A new, closed store for a customer window: the local tables, or the
    // chain's store (server, falling back to the local tables and the outbox).
    core::Result<std::unique_ptr<customers::SetupStore>> store(
        storage::FileIo& io = storage::FileIo::posix());

    // The window thread's connection: connected, schema current, shop known.
    // Unavailable while offline (without trying again before kRetryAfter).
    core::Result<PgConnection*> connection();
    [[nodiscard]] int shopId() const { return m_shopId; }
    // The shop's name from SHOPINFO.DBF (what a save is kept under), read
    // afresh; an error when it is empty.
    core::Result<std::string> readShopName() const;
    [[nodiscard]] const std::string& shopName() const { return m_shopName; }

    // The next bench ticket number.  With the server chosen it comes from
    // this counter's ranges of the shop's numbers (Tickets.conf), topped up
    // from the server when it answers, so numbers stay unique across the
    // chain also while offline; otherwise from the data folder's own
    // counter (Tickets.dbf).
    core::Result<std::uint32_t> nextTicketNumber();

    // --- offline ------------------------------------------------------------------
    // The server could not be reached just now: from here on the counter
    // works offline until a sync gets through.
    void wentOffline();
    [[nodiscard]] bool isOffline() const;
    // "Working offline since 10:42; 3 saves waiting", once per offline
    // period; "" when online or already said.
    //   When the server refused the login (no password found, or a wrong
    //   one), the notice goes on with that message, which says how to give
    //   the password.
    std::string takeOfflineNotice();
    Outbox& outbox() { return m_outbox; }

    // --- sync ---------------------------------------------------------------------
    // One pass on a connection of its own: sends the outbox when there is
    // something to send.  Back online when it got through.
    core::Result<SyncReport> syncNow(const std::function<bool()>& stop = {});
    // Runs syncNow() every `interval` on a thread of its own, and at once
    // after nudge().
    void startSync(std::chrono::milliseconds interval = kSyncInterval);
    // Something was queued: sync now (starting the background sync when
    // this base runs one).
    void nudge();
    void stopSync();

private:
    core::Status connectWindowConnection();
    // Keeps (or forgets) the login problem a connection attempt ran into.
    void noteLogin(PgConnection::Failure failure, const core::Status& status);
    // The settings as last read (the sync thread reads them too).
    [[nodiscard]] std::pair<customers::CustomerDbSettings, core::Status> settings() const;
    void syncLoop(std::chrono::milliseconds interval);

    std::filesystem::path m_dataDir;
    bool m_backgroundSync;
    Outbox m_outbox;

    // window thread
    std::unique_ptr<PgConnection> m_connection;
    int m_shopId = 0;
    std::string m_shopName;

    // shared with the sync thread
    mutable std::mutex m_mutex;
    customers::CustomerDbSettings m_settings;
    core::Status m_settingsStatus;
    std::condition_variable m_wake;
    bool m_offline = false;
    bool m_offlineSaid = false;
    std::string m_offlineSince;  // "10:42"
    // Why the last connection failed when the server refused the login (no
    // password given, or a wrong one), told with the offline notice; "" else.
    std::string m_loginProblem;
    std::chrono::steady_clock::time_point m_retryAt{};
    bool m_nudged = false;
    bool m_stop = false;
    std::thread m_sync;
};

}  // namespace quivra::chain
