// Working offline against a real server: saves kept in the outbox and the
// local tables while the server cannot be reached, the clerk told once,
// and the sync that sends each save exactly once, also when the server is
// stopped in the middle of saves and when the program is killed during the
// sync.

#include "ChainSetupStore.h"
#include "Clock.h"
#include "CustomerDbSettings.h"
#include "CustomerFiles.h"
#include "OutboxSync.h"
#include "PgTestSupport.h"
#include "Schema.h"

#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include <chrono>
#include <set>
#include <thread>

namespace quivra::chain::test {
namespace {

using customers::test::addressNamed;
using customers::test::huntingCodes;

constexpr std::chrono::year_month_day kDay{std::chrono::year{2026}, std::chrono::March,
                                           std::chrono::day{7}};

class OfflineSyncTest : public ServerTest {
protected:
    void SetUp() override {
        ServerTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        makeCounterFolder(m_dir.path(), "Arrow Shop");
    }
    // Points the folder's settings at a port where nothing listens.
    void pointAtNoServer() {
        auto loaded = customers::loadCustomerDbSettings(m_dir.path());
        ASSERT_TRUE(loaded);
        m_settings = *loaded;
        customers::CustomerDbSettings nowhere = m_settings;
        nowhere.host = "127.0.0.1";
        nowhere.port = 1;
        ASSERT_TRUE(customers::saveCustomerDbSettings(m_dir.path(), nowhere));
    }
    void pointAtServer() {
        ASSERT_TRUE(customers::saveCustomerDbSettings(m_dir.path(), m_settings));
    }
    long serverCount(const std::string& where = "true") {
        return std::stol(sql("SELECT count(*) FROM setups WHERE " + where).text(0, 0));
    }
    long distinctNames() {
        return std::stol(sql("SELECT count(DISTINCT name) FROM setups").text(0, 0));
    }
    long serverBuilds() {
        return std::stol(sql("SELECT count(*) FROM builds b JOIN setups s ON s.id = b.setup_id "
                             "WHERE b.notes = s.name")
                             .text(0, 0));
    }
    // Queues `n` new set-ups named "<prefix><i>" straight into the outbox,
    // every other one with its arrow (whose notes repeat the name).
    void queue(Outbox& outbox, int n, const std::string& prefix) {
        for (int i = 0; i < n; ++i) {
            OutboxEntry e;
            e.uuid = newUuid();
            e.queued = utcNowText();
            e.shop = "Arrow Shop";
            e.setup.address = addressNamed(prefix + std::to_string(i));
            if (i % 2 == 0) {
                e.buildUuid = newUuid();
                e.build = customers::test::sampleBuild();
                e.build->notes = e.setup.address.name;
            }
            ASSERT_TRUE(outbox.add(e));
        }
    }

    customers::test::ScratchDir m_dir;
    customers::CustomerDbSettings m_settings;
};

TEST_F(OfflineSyncTest, SavesWithoutTheServerAreKeptToldOnceAndSentOnce) {
    const core::FixedClock clock({kDay, 10, 42, 5});
    const core::ScopedClock inForce(clock);
    pointAtNoServer();
    CustomerBase base(m_dir.path());
    auto store = base.store();
    ASSERT_TRUE(store);
    ASSERT_TRUE((*store)->open());
    EXPECT_TRUE(dynamic_cast<ChainSetupStore&>(**store).isOffline());
    EXPECT_EQ((*store)->takeNotice(), "Working offline since 10:42; 0 saves waiting");
    for (const char* name : {"Oakley", "O'Brien \"Robin\"", "Zoë"}) {
        const customers::AppendOutcome o =
            (*store)->appendSetup(addressNamed(name), huntingCodes(), kDay);
        ASSERT_TRUE(o.status) << o.status.message();
        EXPECT_EQ((*store)->takeNotice(), "");  // said once
    }
    // A set-up saved with its arrow has it in this counter's history at once.
    const customers::SavedBuild arrow = customers::test::sampleBuild();
    ASSERT_TRUE(
        (*store)->appendSetupWithBuild(addressNamed("Oakley"), huntingCodes(), kDay, arrow).status);
    auto offline = (*store)->history(addressNamed("Oakley"));
    ASSERT_TRUE(offline) << offline.status().message();
    ASSERT_EQ(offline->size(), 2U);
    ASSERT_TRUE((*offline)[0].build);
    EXPECT_EQ((*offline)[0].build->notes, arrow.notes);
    EXPECT_FALSE((*offline)[1].build);
    // Retrieval while offline finds them in the local tables.
    ASSERT_TRUE((*store)->seekName("O'B").value());
    EXPECT_EQ((*store)->current()->address.name, "O'Brien \"Robin\"");
    // The address corrected offline reaches the server too.
    ASSERT_TRUE((*store)->beginEdit());
    customers::CustomerAddress corrected = addressNamed("O'Brien \"Robin\"");
    corrected.city = "Peoria";
    ASSERT_TRUE((*store)->postAddress(corrected));
    (*store)->close();
    EXPECT_EQ(base.outbox().pendingCount().value(), 5U);

    pointAtServer();
    ASSERT_TRUE(base.reloadSettings());
    auto report = base.syncNow();
    ASSERT_TRUE(report) << report.status().message();
    EXPECT_EQ(report->sent, 5U);
    EXPECT_EQ(report->remaining, 0U);
    EXPECT_FALSE(base.isOffline());
    EXPECT_EQ(serverCount(), 4);
    EXPECT_EQ(serverCount("name = 'O''Brien \"Robin\"' AND city = 'Peoria'"), 1);
    EXPECT_EQ(serverCount("name = 'Zoë'"), 1);
    // A second pass has nothing to send and doubles nothing.
    ASSERT_TRUE(base.syncNow());
    EXPECT_EQ(serverCount(), 4);
    // Online again, the store browses the server, the arrow there too.
    ASSERT_TRUE((*store)->open());
    EXPECT_FALSE(dynamic_cast<ChainSetupStore&>(**store).isOffline());
    auto online = (*store)->history(addressNamed("Oakley"));
    ASSERT_TRUE(online) << online.status().message();
    ASSERT_EQ(online->size(), 2U);
    ASSERT_TRUE((*online)[0].build);
    customers::SavedBuild expected = arrow;
    expected.savedAt = (*online)[0].build->savedAt;
    EXPECT_EQ(*(*online)[0].build, expected);
}

TEST_F(OfflineSyncTest, ServerStoppedInTheMiddleOfSavesLosesAndDoublesNothing) {
    if (std::getenv("QUIVRA_TEST_PG_STOP") == nullptr) {
        GTEST_SKIP() << "The test script gave no way to stop the server (QUIVRA_TEST_PG_STOP).";
    }
    CustomerBase base(m_dir.path());
    auto store = base.store();
    ASSERT_TRUE(store);
    ASSERT_TRUE((*store)->open());
    ASSERT_FALSE(dynamic_cast<ChainSetupStore&>(**store).isOffline());
    constexpr int kSaves = 30;
    int acknowledged = 0;
    for (int i = 0; i < kSaves; ++i) {
        if (i == 10) {
            m_db.reset();
            ASSERT_TRUE(stopServer());
        }
        if (i == 20) {
            ASSERT_TRUE(startServer());
        }
        const customers::AppendOutcome o =
            (*store)->appendSetup(addressNamed("Save " + std::to_string(i)), huntingCodes(), kDay);
        EXPECT_TRUE(o.status) << i << ": " << o.status.message();
        acknowledged += o.status.isOk() ? 1 : 0;
    }
    EXPECT_NE((*store)->takeNotice().find("Working offline since"), std::string::npos);
    (*store)->close();
    auto report = base.syncNow();
    ASSERT_TRUE(report) << report.status().message();
    EXPECT_EQ(report->remaining, 0U);
    m_db = connect();
    ASSERT_TRUE(m_db);
    EXPECT_EQ(acknowledged, kSaves);
    EXPECT_EQ(serverCount(), kSaves);
    EXPECT_EQ(distinctNames(), kSaves);
}

TEST_F(OfflineSyncTest, BenchTicketsTakeTheChainsNumbersUniqueAcrossCountersAlsoOffline) {
    customers::test::ScratchDir otherDir;
    makeCounterFolder(otherDir.path(), "Arrow Shop");
    CustomerBase here(m_dir.path());
    CustomerBase there(otherDir.path());
    std::set<std::uint32_t> seen;
    const auto take = [&seen](CustomerBase& base) {
        auto n = base.nextTicketNumber();
        ASSERT_TRUE(n) << n.status().message();
        EXPECT_TRUE(seen.insert(*n).second) << *n << " given twice";
    };
    for (int i = 0; i < 5; ++i) {
        take(here);
        take(there);
    }
    // The folders' own counters are left alone: the numbers are the chain's.
    EXPECT_FALSE(std::filesystem::exists(m_dir.path() / customers::kTicketsTableFile));
    EXPECT_FALSE(std::filesystem::exists(otherDir.path() / customers::kTicketsTableFile));

    // Offline, this counter goes on with the numbers it holds; the other
    // keeps taking from the server.  Still no number twice.
    pointAtNoServer();
    ASSERT_TRUE(here.reloadSettings());
    for (int i = 0; i < 150; ++i) {
        take(here);
        if (i % 10 == 0) take(there);
    }
    EXPECT_TRUE(here.isOffline());
}

TEST_F(OfflineSyncTest, KilledAfterTheServersCommitTheNextStartSendsOnlyWhatIsMissing) {
    ASSERT_TRUE(migrate(*m_db));
    {
        Outbox outbox(m_dir.path());
        queue(outbox, 600, "Batch ");
    }
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        Outbox outbox(m_dir.path());
        auto c = PgConnection::connect(conninfo());
        if (!c) _exit(2);
        // Dies after the first batch is on the server, before it is marked done.
        (void)syncOutbox(**c, outbox, {}, [](std::size_t) { _exit(9); });
        _exit(3);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 9);
    EXPECT_EQ(serverCount(), 500);
    EXPECT_EQ(serverBuilds(), 250);  // each with its set-up, in the set-up's transaction
    EXPECT_EQ(Outbox(m_dir.path()).pendingCount().value(), 600U);

    CustomerBase base(m_dir.path());  // the next start
    auto report = base.syncNow();
    ASSERT_TRUE(report) << report.status().message();
    EXPECT_EQ(report->remaining, 0U);
    EXPECT_EQ(serverCount(), 600);
    EXPECT_EQ(distinctNames(), 600);
    EXPECT_EQ(serverBuilds(), 300);
    EXPECT_EQ(sql("SELECT count(*) FROM builds").text(0, 0), "300");
}

TEST_F(OfflineSyncTest, KilledAtAnyMomentOfTheSyncNothingIsLostOrDoubled) {
    ASSERT_TRUE(migrate(*m_db));
    int total = 0;
    for (const int delayMs : {5, 30, 80}) {
        SCOPED_TRACE(delayMs);
        {
            Outbox outbox(m_dir.path());
            queue(outbox, 400, "Run" + std::to_string(delayMs) + " ");
        }
        total += 400;
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            CustomerBase base(m_dir.path());
            (void)base.syncNow();
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        CustomerBase base(m_dir.path());
        auto report = base.syncNow();
        ASSERT_TRUE(report) << report.status().message();
        EXPECT_EQ(report->remaining, 0U);
        EXPECT_EQ(serverCount(), total);
        EXPECT_EQ(distinctNames(), total);
        EXPECT_EQ(serverBuilds(), total / 2);
        EXPECT_EQ(sql("SELECT count(*) FROM builds").text(0, 0), std::to_string(total / 2));
    }
}

}  // namespace
}  // namespace quivra::chain::test
