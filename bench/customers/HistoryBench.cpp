// Customer history and builds on 1,000,000 saved set-ups with 1,000,000
// builds (one per set-up):
//   CustomerHistory  the retrieval window's history of one customer (five
//                    set-ups among the million): seek the name, read the
//                    set-ups, find each build.                   goal < 5 ms
//   SaveWithBuild    "Save Record" with an arrow: the set-up with its index
//                    entry, then the build with its index entry, each synced,
//                    both tables opened and closed.             goal < 20 ms
// The tables are written in bulk into QUIVRA_BENCH_DIR/history (default
// $TMPDIR/quivra-bench) and kept for later runs; saves made by earlier runs
// stay in them.

#include "BenchTable.h"
#include "BuildStore.h"
#include "Coding.h"
#include "CustomerHistory.h"
#include "SetupSaving.h"
#include "TableStore.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace quivra::customers;
using quivra::storage::FieldSpec;
using quivra::storage::TableStore;

constexpr std::uint32_t kRecords = 1'000'000;
const SetupCodes kCodes{"0", "60", "30", "100", "0", "0", "0", "0", "0"};
const char* const kCustomer = "Whitfield Ann";

// Ann's five set-ups lie spread over the table, saved on five dates.
bool isAnns(std::uint32_t recNo) {
    return recNo % 200'000 == 7;
}
std::string dateOf(std::uint32_t recNo) {
    return isAnns(recNo) ? "0" + std::to_string(1 + recNo / 200'000) + "/07/2026" : "03/07/2026";
}

CustomerAddress addressOf(std::string name) {
    CustomerAddress a;
    a.name = std::move(name);
    a.addr1 = "1 Main Street";
    a.city = "Springfield";
    a.state = "IL";
    a.zip = "62701";
    return a;
}

// Appends the fields of one record, each padded to its width (numbers to
// the right), as the table file holds them.
std::string recordBytes(const std::vector<FieldSpec>& fields,
                        const std::map<std::string, std::string>& values) {
    std::string rec = " ";
    for (const FieldSpec& f : fields) {
        const auto it = values.find(f.name);
        std::string v = it == values.end() ? std::string() : it->second;
        v.resize(std::min<std::size_t>(v.size(), f.length));
        const std::string pad(f.length - v.size(), ' ');
        rec += f.type == 'N' ? pad + v : v + pad;
    }
    return rec;
}

// Writes `kRecords` records after the header of a table made empty by
// TableStore::create: a million posts, each synced, would take hours.
template <class Values>
void writeInBulk(const std::filesystem::path& file, const std::vector<FieldSpec>& fields, bool memo,
                 Values valuesOf) {
    if (!TableStore::create(file, fields, quivra::storage::CodePage::Cp1252, memo)) std::abort();
    std::string bytes;
    {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    namespace coding = quivra::storage::coding;
    bytes.resize(coding::getLe16(bytes.data() + 8));
    coding::putLe32(bytes.data() + 4, kRecords);
    for (std::uint32_t r = 1; r <= kRecords; ++r) bytes += recordBytes(fields, valuesOf(r));
    bytes += '\x1A';
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void generate(const std::filesystem::path& dir) {
    std::mt19937 rng(12345);
    writeInBulk(dir / "Saveddb.dbf", quivra::bench::savedSetupFields(), true, [&](std::uint32_t r) {
        const CustomerAddress a =
            addressOf(isAnns(r) ? std::string(kCustomer) : quivra::bench::randomName(rng));
        return std::map<std::string, std::string>{
            {"NAME", a.name}, {"ADDR1", a.addr1},  {"CITY", a.city}, {"STATE", a.state},
            {"ZIP", a.zip},   {"DATE", dateOf(r)}, {"HORT", "0"},    {"BOWWT", "60"},
            {"ARLEN", "30"},  {"PNTWT", "100"},    {"BOTYP", "0"},   {"WHTYP", "0"},
            {"RETYP", "0"},   {"BOLEN", "0"},      {"ODLEN", "0"}};
    });
    writeInBulk(dir / "Builds.dbf", BuildStore::fieldSpecs(), false, [](std::uint32_t r) {
        SavedSetup setup;
        setup.date = dateOf(r);
        setup.codes = kCodes;
        std::string key = std::to_string(r);
        key.insert(0, 10 - key.size(), '0');
        return std::map<std::string, std::string>{{"SETUPKEY", key},
                                                  {"SETUPSIG", setupSignature(setup)},
                                                  {"SAVEDAT", "20260307093000"},
                                                  {"SHAFTKEY", "340CH"},
                                                  {"SIZE", "340"},
                                                  {"MODELS", "CH"},
                                                  {"SPINE", "0.340"},
                                                  {"GPI", "9.30"},
                                                  {"LENGTH", "29.000"},
                                                  {"POINTWT", "100.00"},
                                                  {"QUANTITY", "12"},
                                                  {"TOTALWT", "408.70"},
                                                  {"BOWTYPE", "compound"},
                                                  {"STANDARD", "IBO"},
                                                  {"CHART", "Hunt"}};
    });
    TableStore setups(dir / "Saveddb.dbf");
    if (!setups.open() || !setups.createIndex(dir / "Saved.idx", "NAME")) std::abort();
    TableStore builds(dir / "Builds.dbf");
    if (!builds.open() || !builds.createIndex(dir / "Builds.idx", "SETUPKEY")) std::abort();
}

const std::filesystem::path& dataDir() {
    static const std::filesystem::path dir = [] {
        const auto d = quivra::bench::benchDir() / "history";
        std::filesystem::create_directories(d);
        for (const char* f : {"Saveddb.dbf", "Saved.idx", "Builds.dbf", "Builds.idx"}) {
            if (!std::filesystem::exists(d / f)) {
                std::cerr << "Generating " << kRecords << " set-ups and builds in " << d
                          << " ...\n";
                generate(d);
                break;
            }
        }
        return d;
    }();
    return dir;
}

SavedBuild benchBuild() {
    SavedBuild b;
    b.shaftKey = "340CH";
    b.size = "340";
    b.models = "CH";
    b.spineIn = 0.34;
    b.grainsPerInch = 9.3;
    b.lengthIn = 29.0;
    b.pointGr = 100;
    b.totalGr = 408.7;
    b.focPercent = 11.5;
    b.notes = "Saved by the benchmark";
    return b;
}

void CustomerHistory(benchmark::State& state) {
    // The history opens Builds.dbf each time, as the retrieval window's does.
    SavedSetupStore setups(dataDir());
    if (!setups.open()) {
        state.SkipWithError("open failed");
        return;
    }
    const CustomerAddress ann = addressOf(kCustomer);
    std::size_t withBuild = 0;
    std::size_t entries = 0;
    for (auto _ : state) {
        auto history = setups.history(ann);
        if (!history) {
            state.SkipWithError(history.status().message().c_str());
            return;
        }
        entries = history->size();
        withBuild = 0;
        for (const HistoryEntry& e : *history) withBuild += e.build ? 1 : 0;
    }
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["with_build"] = static_cast<double>(withBuild);
}
BENCHMARK(CustomerHistory)->Unit(benchmark::kMillisecond);

void SaveWithBuild(benchmark::State& state) {
    const auto& dir = dataDir();
    std::mt19937 rng(99);
    const auto date = std::chrono::year{2026} / std::chrono::March / std::chrono::day{7};
    for (auto _ : state) {
        const SaveOutcome out = saveSetupWithBuild(dir, quivra::storage::FileIo::posix(),
                                                   addressOf(quivra::bench::randomName(rng)),
                                                   kCodes, date, benchBuild());
        if (!out.status || !out.buildStored) state.SkipWithError("save failed");
    }
}
BENCHMARK(SaveWithBuild)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
