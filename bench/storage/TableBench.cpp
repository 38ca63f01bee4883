// Table store speed on a 1,000,000-record table shaped like the saved
// set-ups (19 fields, 100,000 memos):
//   TableAppendWithSync   one record appended and synced, goal < 1 ms
//   TableSequentialRead   every field of every record through the handle
//   TableRandomGoTo       go to a random record and read its name
//   TableExportToText     copy to delimited text (type 21); goal: at least
//                         20x python3-dbf and no slower than pgdbf reading
//                         the same file (bench/storage/compare_tools.sh)
// The table is generated once into QUIVRA_BENCH_DIR (default
// $TMPDIR/quivra-bench) and reused; QUIVRA_BENCH_RECORDS changes its size.
// quivra_bench_table only generates it and prints its path.

#include "BenchTable.h"
#include "TableStore.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <random>

namespace {

using quivra::storage::TableStore;

using quivra::bench::benchDir;

// The generated table, made on first use.
std::filesystem::path bigTable() {
    static const std::filesystem::path table = [] {
        std::filesystem::path file;
        const std::string error = quivra::bench::ensureBenchTable(file);
        if (!error.empty()) {
            std::cerr << error << '\n';
            std::exit(1);
        }
        return file;
    }();
    return table;
}

void TableAppendWithSync(benchmark::State& state) {
    std::filesystem::create_directories(benchDir());
    const auto file = benchDir() / "append.dbf";
    if (auto s = TableStore::create(file, quivra::bench::savedSetupFields(),
                                    quivra::storage::CodePage::Cp1252, true);
        !s) {
        state.SkipWithError(s.message().c_str());
        return;
    }
    TableStore t(file);
    (void)t.open();
    std::uint32_t n = 0;
    for (auto _ : state) {
        (void)t.appendBlank();
        for (const auto& [name, value] : quivra::bench::benchValues(++n))
            (void)t.setFieldText(name, value);
        if (auto s = t.post(); !s) state.SkipWithError(s.message().c_str());
    }
}
BENCHMARK(TableAppendWithSync)->Unit(benchmark::kMicrosecond)->Iterations(500);

void TableSequentialRead(benchmark::State& state) {
    TableStore t(bigTable());
    if (auto s = t.open(); !s) {
        state.SkipWithError(s.message().c_str());
        return;
    }
    std::size_t bytes = 0;
    std::int64_t records = 0;
    for (auto _ : state) {
        for ((void)t.first(); !t.eof(); (void)t.next()) {
            for (const auto& f : t.fields()) bytes += t.fieldText(f.name).valueOr("").size();
            ++records;
        }
    }
    benchmark::DoNotOptimize(bytes);
    state.SetItemsProcessed(records);
}
BENCHMARK(TableSequentialRead)->Unit(benchmark::kMillisecond)->Iterations(1);

void TableRandomGoTo(benchmark::State& state) {
    TableStore t(bigTable());
    if (auto s = t.open(); !s) {
        state.SkipWithError(s.message().c_str());
        return;
    }
    std::mt19937 random(42);
    std::uniform_int_distribution<std::uint32_t> pick(1, t.recordCount());
    for (auto _ : state) {
        (void)t.goTo(pick(random));
        benchmark::DoNotOptimize(t.fieldText("NAME"));
    }
}
BENCHMARK(TableRandomGoTo)->Unit(benchmark::kMicrosecond);

void TableExportToText(benchmark::State& state) {
    TableStore t(bigTable());
    if (auto s = t.open(); !s) {
        state.SkipWithError(s.message().c_str());
        return;
    }
    const auto out = benchDir() / "custdb.txt";
    for (auto _ : state) {
        if (auto s = t.copyToText(out, 21); !s) state.SkipWithError(s.message().c_str());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * t.recordCount());
}
BENCHMARK(TableExportToText)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
