// The chain's customer database on a loopback server holding 10,000,000
// set-ups, every fourth with an arrow: a save (alone and with its arrow), a
// prefix name search, a customer's history with its arrows and a step of the
// name order; 10,000 offline saves synced (every other with its arrow);
// 1,000,000 records imported.
//
// QUIVRA_BENCH_PG names the server's database (a libpq connection string);
// scripts/bench-postgres.sh starts a throwaway server and runs this.  The
// set-ups are made once on the server (generate_series), kept while their
// count matches QUIVRA_BENCH_SETUPS (default 10,000,000).

#include "BenchTable.h"
#include "Outbox.h"
#include "OutboxSync.h"
#include "Schema.h"
#include "ServerSetupStore.h"
#include "SetupSql.h"
#include "ShopImport.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <random>

namespace {

using namespace quivra;

std::string env(const char* name, const char* fallback) {
    const char* v = std::getenv(name);
    return v ? v : fallback;
}

std::unique_ptr<chain::PgConnection> g_db;
int g_shop = 0;
std::vector<std::string> g_customers;  // names of saved customers, for the history

bool check(const core::Status& s, const char* what) {
    if (!s) std::cerr << what << ": " << s.message() << '\n';
    return s.isOk();
}

// Makes the set-ups once: names like the benchmark table's ("Quinber K417"),
// in bulk on the server.
bool prepare() {
    auto c = chain::PgConnection::connect(env("QUIVRA_BENCH_PG", ""));
    if (!check(c.status(), "connect")) return false;
    g_db = std::move(c).value();
    if (!check(chain::migrate(*g_db), "migrate")) return false;
    auto shop = chain::shopId(*g_db, "Bench Shop");
    if (!check(shop.status(), "shop")) return false;
    g_shop = *shop;
    const long wanted = std::stol(env("QUIVRA_BENCH_SETUPS", "10000000"));
    auto have = g_db->exec("SELECT count(*) FROM setups");
    if (!check(have.status(), "count")) return false;
    if (std::stol(have->text(0, 0)) < wanted) {
        std::cerr << "Making " << wanted << " set-ups on the server (once)...\n";
        const std::string sql =
            "INSERT INTO setups (id, shop_id, name, addr1, city, state, zip, saved_date, hort, "
            "bowwt, arlen, pntwt, botyp, whtyp, retyp, bolen, odlen, created, changed) "
            "SELECT md5('bench:' || g)::uuid, " +
            std::to_string(g_shop) +
            ", "
            "initcap(substr(md5(g::text), 1, 3 + g % 5)) || ' ' || "
            "chr(65 + g % 26) || (g % 997), (g % 9999) || ' Main St', 'Springfield', 'IL', "
            "'62701', '03/07/2026', '0', '60', '30', '100', '0', '0', '0', '0', '0', "
            "now() - (g % 3650) * interval '1 day', now() "
            "FROM generate_series(1, " +
            std::to_string(wanted) + ") g ON CONFLICT DO NOTHING";
        if (!check(g_db->execScript("SET maintenance_work_mem = '512MB'"), "settings"))
            return false;
        if (!check(g_db->execScript(sql), "generate")) return false;
        if (!check(g_db->execScript("VACUUM ANALYZE setups"), "analyze")) return false;
    }
    auto builds = g_db->exec("SELECT count(*) FROM builds");
    if (!check(builds.status(), "count builds")) return false;
    if (std::stol(builds->text(0, 0)) < wanted / 4) {
        std::cerr << "Making " << wanted / 4 << " builds on the server (once)...\n";
        const std::string sql =
            "INSERT INTO builds (id, setup_id, shop_id, shaft_key, shaft_size, models, spine_in, "
            "grains_per_inch, shaft_length_in, point_gr, insert_gr, nock_gr, fletching_gr, "
            "quantity, total_gr, foc_percent, bow_type, draw_weight_lb, draw_length_in, "
            "chart_page, notes, saved_at, created, changed) "
            "SELECT md5('bench-build:' || g)::uuid, md5('bench:' || g)::uuid, " +
            std::to_string(g_shop) +
            ", '340CH', '340', 'CH', 0.34, 9.3, 29, 100, 16, 10, 24, 12, 408.7, 11.5, "
            "'compound', 60, 29, 'Hunt', 'Built by the benchmark', '20260307120000', "
            "now() - (g % 3650) * interval '1 day', now() "
            "FROM generate_series(1, " +
            std::to_string(wanted) + ", 4) g ON CONFLICT DO NOTHING";
        if (!check(g_db->execScript(sql), "generate builds")) return false;
        if (!check(g_db->execScript("VACUUM ANALYZE builds"), "analyze builds")) return false;
    }
    auto sample = g_db->exec("SELECT name FROM setups TABLESAMPLE SYSTEM (0.01) LIMIT 1000");
    if (!check(sample.status(), "sample")) return false;
    for (int i = 0; i < sample->rows(); ++i) g_customers.push_back(sample->text(i, 0));
    return !g_customers.empty();
}

customers::SavedSetup benchSetup(std::mt19937& rng) {
    customers::SavedSetup s;
    s.address.name = bench::randomName(rng);
    s.address.addr1 = "1 Main St";
    s.address.city = "Springfield";
    s.address.state = "IL";
    s.date = "03/07/2026";
    s.codes = {"0", "60", "30", "100", "0", "0", "0", "0", "0"};
    return s;
}

void BM_Save(benchmark::State& state) {
    chain::ServerSetupStore store(*g_db, g_shop);
    std::mt19937 rng(7);
    for (auto _ : state) {
        const auto o = store.storeSetup(chain::newUuid(), benchSetup(rng), chain::utcNowText());
        if (!o.status) state.SkipWithError(o.status.message().c_str());
    }
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->Iterations(2000);

customers::SavedBuild benchBuild() {
    customers::SavedBuild b;
    b.shaftKey = "340CH";
    b.size = "340";
    b.models = "CH";
    b.spineIn = 0.34;
    b.grainsPerInch = 9.3;
    b.lengthIn = 29.0;
    b.pointGr = 100;
    b.totalGr = 408.7;
    b.focPercent = 11.5;
    b.speedFps = 287.0;
    b.ratingFps = 330.0;
    b.drawWeightLb = 60;
    b.drawLengthIn = 29;
    b.notes = "Saved by the benchmark";
    return b;
}

void BM_SaveWithBuild(benchmark::State& state) {
    chain::ServerSetupStore store(*g_db, g_shop);
    std::mt19937 rng(9);
    const customers::SavedBuild build = benchBuild();
    const std::chrono::year_month_day day{std::chrono::year{2026}, std::chrono::March,
                                          std::chrono::day{7}};
    for (auto _ : state) {
        const customers::SavedSetup s = benchSetup(rng);
        const auto o = store.appendSetupWithBuild(s.address, s.codes, day, build);
        if (!o.status) state.SkipWithError(o.status.message().c_str());
    }
}
BENCHMARK(BM_SaveWithBuild)->Unit(benchmark::kMillisecond)->Iterations(2000);

void BM_PrefixNameSearch(benchmark::State& state) {
    chain::ServerSetupStore store(*g_db, g_shop);
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& name = g_customers[i++ % g_customers.size()];
        auto found = store.seekName(name.substr(0, 4));
        if (!found || !*found) state.SkipWithError("a saved name was not found");
    }
}
BENCHMARK(BM_PrefixNameSearch)->Unit(benchmark::kMillisecond)->Iterations(2000);

void BM_CustomerHistory(benchmark::State& state) {
    chain::ServerSetupStore store(*g_db, g_shop);
    std::size_t i = 0;
    std::size_t entries = 0;
    std::size_t withBuild = 0;
    for (auto _ : state) {
        const std::string& name = g_customers[i++ % g_customers.size()];
        state.PauseTiming();
        auto found = store.seekName(name);
        auto customer = store.current();
        state.ResumeTiming();
        auto history = store.history(customer->address);
        if (!found || !history || history->empty()) {
            state.SkipWithError("no history");
            break;
        }
        for (const customers::HistoryEntry& e : *history) withBuild += e.build ? 1 : 0;
        entries += history->size();
    }
    state.counters["entries"] =
        benchmark::Counter(static_cast<double>(entries), benchmark::Counter::kAvgIterations);
    state.counters["with_build"] =
        benchmark::Counter(static_cast<double>(withBuild), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CustomerHistory)->Unit(benchmark::kMillisecond)->Iterations(2000);

void BM_NextInNameOrder(benchmark::State& state) {
    chain::ServerSetupStore store(*g_db, g_shop);
    (void)store.seekName(g_customers.front().substr(0, 2));
    for (auto _ : state) {
        if (!store.next()) state.SkipWithError("next failed");
    }
}
BENCHMARK(BM_NextInNameOrder)->Unit(benchmark::kMillisecond)->Iterations(2000);

void BM_Sync10000OfflineSaves(benchmark::State& state) {
    std::mt19937 rng(11);
    for (auto _ : state) {
        state.PauseTiming();
        const std::filesystem::path dir = bench::benchDir() / "outbox";
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        chain::Outbox outbox(dir);
        for (int i = 0; i < 10000; ++i) {
            chain::OutboxEntry e;
            e.uuid = chain::newUuid();
            e.queued = chain::utcNowText();
            e.shop = "Bench Shop";
            e.setup = benchSetup(rng);
            if (i % 2 == 0) {
                e.buildUuid = chain::newUuid();
                e.build = benchBuild();
            }
            if (!outbox.add(e)) state.SkipWithError("queueing failed");
        }
        state.ResumeTiming();
        auto report = chain::syncOutbox(*g_db, outbox);
        if (!report || report->sent != 10000) state.SkipWithError("sync failed");
    }
}
BENCHMARK(BM_Sync10000OfflineSaves)->Unit(benchmark::kSecond)->Iterations(1);

void BM_Import1000000Records(benchmark::State& state) {
    std::filesystem::path table;
    if (const std::string error = bench::ensureBenchTable(table); !error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    int run = 0;
    for (auto _ : state) {
        auto report = chain::importShop(
            *g_db, table, "Import " + chain::newUuid() + std::to_string(run++), false);
        if (!report) {
            state.SkipWithError(report.status().message().c_str());
            break;
        }
        state.counters["records"] = static_cast<double>(report->added);
    }
}
BENCHMARK(BM_Import1000000Records)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (std::getenv("QUIVRA_BENCH_PG") == nullptr) {
        std::cerr << "quivra_chain_bench needs a server: set QUIVRA_BENCH_PG, or run "
                     "scripts/bench-postgres.sh\n";
        return 1;
    }
    if (!prepare()) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
