// Index speed on a 1,000,000-record customer table keyed on the name:
//   IndexSeekWarm        seek of a leading text (index cached), goal < 20 us
//   IndexStructureCheck  the cheap structural check of a select on a freshly
//                        opened index (no node cached), goal < 1 ms
//   IndexSelectFresh     a new handle: open the table, select the index
//                        (check and coverage included)
//   IndexRebuild         full rebuild of the index file, goal < 2 s
//   IndexAppendWithIndex one new record posted with the index updated and
//                        synced, goal < 5 ms
//   TableAppendWithoutIndex  the same post with no index, for comparison
// The table is generated straight into a folder (QUIVRA_BENCH_DIR, default
// $TMPDIR/quivra-bench, subfolder index) and left there, so that
// bench/storage/xbase_index_seek.pl can time another reader on the same files.

#include "BenchTable.h"
#include "Coding.h"
#include "IndexFile.h"
#include "TableFile.h"
#include "TableStore.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using quivra::storage::FieldSpec;
using quivra::storage::IndexFile;
using quivra::storage::TableFile;
using quivra::storage::TableStore;

constexpr std::uint32_t kRecords = 1'000'000;

// Beside the storage benchmark's table, in a folder of its own.
std::filesystem::path benchDir() {
    return quivra::bench::benchDir() / "index";
}

using quivra::bench::randomName;

// Writes the table's records directly after the header of an empty table
// made by TableStore::create: appending a million records one by one,
// each synced, would take far longer than the benchmark itself.
void generateTable(const std::filesystem::path& file) {
    const std::vector<FieldSpec> fields = {{"NAME", 'C', 30, 0}, {"CITY", 'C', 20, 0}};
    if (!TableStore::create(file, fields, quivra::storage::CodePage::Cp1252, true)) std::abort();
    std::string bytes;
    {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::size_t headerLength = quivra::storage::coding::getLe16(bytes.data() + 8);
    const std::size_t recordLength = quivra::storage::coding::getLe16(bytes.data() + 10);
    bytes.resize(headerLength);
    quivra::storage::coding::putLe32(bytes.data() + 4, kRecords);
    std::mt19937 rng(12345);
    bytes.reserve(headerLength + kRecords * recordLength + 1);
    for (std::uint32_t r = 0; r < kRecords; ++r) {
        std::string record(recordLength, ' ');
        const std::string name = randomName(rng);
        record.replace(1, name.size(), name);
        record.replace(31, 4, "Town");
        bytes += record;
    }
    bytes += '\x1A';
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// One open table with its index, shared by the benchmarks.
TableStore& table() {
    static TableStore* t = [] {
        const auto dir = benchDir();
        std::filesystem::create_directories(dir);
        const auto file = dir / "customers.dbf";
        if (!std::filesystem::exists(file) || !std::filesystem::exists(dir / "customers.idx")) {
            generateTable(file);
            TableStore make(file);
            if (!make.open() || !make.createIndex("customers.idx", "NAME")) std::abort();
        }
        static TableStore store(file);
        if (!store.open() || !store.selectIndex("customers.idx")) std::abort();
        return &store;
    }();
    return *t;
}

std::vector<std::string> seekTexts() {
    std::mt19937 rng(777);
    std::vector<std::string> texts;
    for (int i = 0; i < 4096; ++i) texts.push_back(randomName(rng).substr(0, 3 + rng() % 5));
    return texts;
}

void IndexSeekWarm(benchmark::State& state) {
    TableStore& t = table();
    const auto texts = seekTexts();
    {
        // The same texts for bench/storage/xbase_index_seek.pl.
        std::ofstream out(benchDir() / "seek_texts.txt", std::ios::trunc);
        for (const auto& s : texts) out << s << '\n';
    }
    for (const auto& s : texts) (void)t.seek(s);  // warm the node cache
    std::size_t i = 0;
    std::size_t found = 0;
    for (auto _ : state) {
        auto r = t.seek(texts[i++ % texts.size()]);
        found += r.valueOr(false) ? 1 : 0;
    }
    state.counters["found"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}
BENCHMARK(IndexSeekWarm)->Unit(benchmark::kMicrosecond);

void IndexStructureCheck(benchmark::State& state) {
    const auto file = table().path();
    auto opened = TableFile::open(file, quivra::storage::FileIo::posix());
    if (!opened) {
        state.SkipWithError(opened.status().message().c_str());
        return;
    }
    for (auto _ : state) {
        auto index = IndexFile::open(benchDir() / "customers.idx", quivra::storage::FileIo::posix(),
                                     **opened);
        if (!index || !(*index)->checkStructure()) state.SkipWithError("check failed");
    }
}
BENCHMARK(IndexStructureCheck)->Unit(benchmark::kMicrosecond);

void IndexSelectFresh(benchmark::State& state) {
    const auto file = table().path();
    for (auto _ : state) {
        TableStore t(file);
        if (!t.open() || !t.selectIndex("customers.idx")) state.SkipWithError("select failed");
    }
}
BENCHMARK(IndexSelectFresh)->Unit(benchmark::kMicrosecond);

void IndexRebuild(benchmark::State& state) {
    TableStore& t = table();
    for (auto _ : state) {
        if (!t.rebuildIndex()) state.SkipWithError("rebuild failed");
    }
}
BENCHMARK(IndexRebuild)->Unit(benchmark::kMillisecond)->Iterations(3);

void IndexAppendWithIndex(benchmark::State& state) {
    TableStore& t = table();
    std::mt19937 rng(99);
    for (auto _ : state) {
        if (!t.appendBlank() || !t.setFieldText("NAME", randomName(rng)) || !t.post()) {
            state.SkipWithError("append failed");
        }
    }
}
BENCHMARK(IndexAppendWithIndex)->Unit(benchmark::kMillisecond)->Iterations(200);

// The same post through a second handle with no index selected: the table's
// own share of IndexAppendWithIndex (the index adds one sync to it).  The
// index misses these records afterwards; the next run's select rebuilds it.
void TableAppendWithoutIndex(benchmark::State& state) {
    TableStore t(table().path());
    if (!t.open()) state.SkipWithError("open failed");
    std::mt19937 rng(98);
    for (auto _ : state) {
        if (!t.appendBlank() || !t.setFieldText("NAME", randomName(rng)) || !t.post()) {
            state.SkipWithError("append failed");
        }
    }
}
BENCHMARK(TableAppendWithoutIndex)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
