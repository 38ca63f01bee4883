// Customer set-ups on a saved-setups table of 1,000,000 records:
//   SaveSetup        one save as the "Save Record" button does it: open the
//                    table and name index, append the record, update the
//                    index, both synced to disk, close.        goal < 20 ms
//   SearchByLetters  the retrieval window's search: seek leading letters on
//                    the open name index and read the record found.  goal < 1 ms
//   ExportAll        custdb.txt with every record.                 goal < 5 s
// The table is generated straight into a folder (QUIVRA_BENCH_DIR, default
// $TMPDIR/quivra-bench, subfolder customers) and kept for later runs; saves made by
// earlier runs stay in it.

#include "BenchTable.h"
#include "Coding.h"
#include "CustomerExport.h"
#include "SavedSetupStore.h"
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

using namespace quivra::customers;
using quivra::storage::FieldSpec;
using quivra::storage::TableStore;

constexpr std::uint32_t kRecords = 1'000'000;
constexpr std::chrono::year_month_day kDate{std::chrono::year{2026}, std::chrono::month{3},
                                            std::chrono::day{7}};

// Beside the storage benchmark's table, in a folder of its own.
std::filesystem::path benchDir() {
    return quivra::bench::benchDir() / "customers";
}

using quivra::bench::randomName;

const std::vector<FieldSpec>& savedFields() {
    static const std::vector<FieldSpec> fields{
        {"NAME", 'C', 30},  {"ADDR1", 'C', 30}, {"ADDR2", 'C', 30},   {"CITY", 'C', 20},
        {"STATE", 'C', 10}, {"ZIP", 'C', 10},   {"COUNTRY", 'C', 20}, {"CCODE", 'C', 10},
        {"COMMENTS", 'M'},  {"DATE", 'C', 10},  {"HORT", 'C', 1},     {"BOWWT", 'C', 4},
        {"ARLEN", 'C', 4},  {"PNTWT", 'C', 4},  {"BOTYP", 'C', 1},    {"WHTYP", 'C', 1},
        {"RETYP", 'C', 1},  {"BOLEN", 'C', 1},  {"ODLEN", 'C', 1}};
    return fields;
}

// Writes the records straight after the header of an empty table made by
// TableStore::create: a million posts, each synced, would take far longer
// than the benchmark itself.
void generateTable(const std::filesystem::path& dir) {
    const auto file = dir / "Saveddb.dbf";
    if (!TableStore::create(file, savedFields(), quivra::storage::CodePage::Cp1252, true)) {
        std::abort();
    }
    std::vector<std::pair<std::size_t, std::string>> fixed;  // offset, text
    {
        TableStore t(file);
        if (!t.open()) std::abort();
        const auto put = [&](const char* field, const char* text) {
            fixed.emplace_back(t.fields()[static_cast<std::size_t>(t.fieldIndex(field))].offset,
                               text);
        };
        put("ADDR1", "1 Main Street");
        put("CITY", "Springfield");
        put("STATE", "IL");
        put("ZIP", "62701");
        put("DATE", "03/07/2026");
        for (const char* code : {"HORT", "BOTYP", "WHTYP", "RETYP", "BOLEN", "ODLEN"}) {
            put(code, "0");
        }
        put("BOWWT", "60");
        put("ARLEN", "30");
        put("PNTWT", "100");
    }
    std::string bytes;
    {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    namespace coding = quivra::storage::coding;
    const std::size_t headerLength = coding::getLe16(bytes.data() + 8);
    const std::size_t recordLength = coding::getLe16(bytes.data() + 10);
    bytes.resize(headerLength);
    coding::putLe32(bytes.data() + 4, kRecords);
    std::mt19937 rng(12345);
    bytes.reserve(headerLength + kRecords * recordLength + 1);
    std::string record(recordLength, ' ');
    for (const auto& [offset, text] : fixed) record.replace(offset, text.size(), text);
    for (std::uint32_t r = 0; r < kRecords; ++r) {
        std::string rec = record;
        const std::string name = randomName(rng);
        rec.replace(1, name.size(), name);
        bytes += rec;
    }
    bytes += '\x1A';
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const std::filesystem::path& dataDir() {
    static const std::filesystem::path dir = [] {
        const auto d = benchDir();
        std::filesystem::create_directories(d);
        if (!std::filesystem::exists(d / "Saveddb.dbf") ||
            !std::filesystem::exists(d / "Saved.idx")) {
            std::cerr << "Generating " << kRecords << " saved set-ups in " << d << " ...\n";
            generateTable(d);
            TableStore make(d / "Saveddb.dbf");
            if (!make.open() || !make.createIndex(d / "Saved.idx", "NAME")) std::abort();
        }
        return d;
    }();
    return dir;
}

void SaveSetup(benchmark::State& state) {
    const auto& dir = dataDir();
    std::mt19937 rng(99);
    const SetupCodes codes{"0", "60", "30", "100", "0", "0", "0", "0", "0"};
    for (auto _ : state) {
        CustomerAddress a{randomName(rng),
                          "2 Oak Lane",
                          "",
                          "Peoria",
                          "IL",
                          "61602",
                          "",
                          "",
                          "Saved by the benchmark\nsecond line"};
        SavedSetupStore store(dir);
        if (!store.open()) state.SkipWithError("open failed");
        if (!store.appendSetup(a, codes, kDate).status) state.SkipWithError("save failed");
        store.close();
    }
}
BENCHMARK(SaveSetup)->Unit(benchmark::kMillisecond)->Iterations(200);

void SearchByLetters(benchmark::State& state) {
    SavedSetupStore store(dataDir());
    if (!store.open()) {
        state.SkipWithError("open failed");
        return;
    }
    std::mt19937 rng(777);
    std::vector<std::string> texts;
    for (int i = 0; i < 4096; ++i) texts.push_back(randomName(rng).substr(0, 2 + rng() % 4));
    std::size_t i = 0;
    std::size_t found = 0;
    for (auto _ : state) {
        const auto hit = store.seekName(texts[i++ % texts.size()]);
        if (hit.isOk() && hit.value()) {
            ++found;
            benchmark::DoNotOptimize(store.current());
        } else {
            (void)store.first();  // "Name not found" returns to the first record
        }
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(SearchByLetters)->Unit(benchmark::kMicrosecond);

void ExportAll(benchmark::State& state) {
    const auto& dir = dataDir();
    for (auto _ : state) {
        if (!exportCustomers(dir)) state.SkipWithError("export failed");
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(dir / "custdb.txt"));
}
BENCHMARK(ExportAll)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
