#include "BenchTable.h"

#include "Coding.h"
#include "TableStore.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace quivra::bench {

namespace {

constexpr std::uint32_t kBlockSize = 64;

std::string fit(std::string s, std::size_t width, bool right = false) {
    s.resize(std::min(s.size(), width));
    const std::string pad(width - s.size(), ' ');
    return right ? pad + s : s + pad;
}

}  // namespace

std::filesystem::path benchDir() {
    if (const char* dir = std::getenv("QUIVRA_BENCH_DIR")) return dir;
    return std::filesystem::temp_directory_path() / "quivra-bench";
}

std::string randomName(std::mt19937& rng) {
    static const char* const kSyllables[] = {
        "an", "ber", "cal", "do",   "el", "far", "gan", "hol", "is", "jo",  "ker", "lin", "mo",
        "ne", "or",  "pe",  "quin", "ro", "sm",  "ith", "ta",  "ul", "ver", "wen", "yo",  "zel"};
    std::string name;
    const int parts = 2 + static_cast<int>(rng() % 3);
    for (int i = 0; i < parts; ++i) name += kSyllables[rng() % std::size(kSyllables)];
    name[0] = static_cast<char>(name[0] - 32);
    name += ' ';
    name += static_cast<char>('A' + rng() % 26);
    name += std::to_string(rng() % 1000);
    return name;
}

std::uint32_t benchRecords() {
    if (const char* n = std::getenv("QUIVRA_BENCH_RECORDS")) {
        return static_cast<std::uint32_t>(std::strtoul(n, nullptr, 10));
    }
    return 1'000'000;
}

std::string ensureBenchTable(std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::create_directories(benchDir(), ec);
    file = benchDir() / "setups.dbf";
    return ensureBenchTable(file, benchRecords());
}

std::vector<storage::FieldSpec> savedSetupFields() {
    return {{"NAME", 'C', 30, 0},    {"ADDR1", 'C', 30, 0}, {"ADDR2", 'C', 30, 0},
            {"CITY", 'C', 20, 0},    {"STATE", 'C', 2, 0},  {"ZIP", 'C', 10, 0},
            {"COUNTRY", 'C', 20, 0}, {"CCODE", 'C', 10, 0}, {"COMMENTS", 'M', 10, 0},
            {"DATE", 'C', 10, 0},    {"HORT", 'C', 1, 0},   {"BOWWT", 'C', 6, 0},
            {"ARLEN", 'C', 6, 0},    {"PNTWT", 'C', 6, 0},  {"BOTYP", 'C', 2, 0},
            {"WHTYP", 'C', 2, 0},    {"RETYP", 'C', 2, 0},  {"BOLEN", 'C', 2, 0},
            {"ODLEN", 'C', 2, 0}};
}

std::vector<std::pair<std::string, std::string>> benchValues(std::uint32_t n) {
    const std::string num = std::to_string(n);
    return {{"NAME", "Customer " + num},
            {"ADDR1", std::to_string(n % 9000 + 100) + " Maple Street"},
            {"ADDR2", n % 3 == 0 ? "Suite " + std::to_string(n % 400) : ""},
            {"CITY", n % 2 == 0 ? "Springfield" : "Zürich"},
            {"STATE", "MO"},
            {"ZIP", std::to_string(10000 + n % 89999)},
            {"COUNTRY", "USA"},
            {"CCODE", "C" + std::to_string(n % 1000)},
            {"COMMENTS",
             n % 10 == 0 ? "Customer " + num + " shoots a \"heavy\" set-up; call before the season."
                         : ""},
            {"DATE", "03/14/2024"},
            {"HORT", std::to_string(n % 3)},
            {"BOWWT", std::to_string(40 + n % 40)},
            {"ARLEN", std::to_string(26 + n % 6)},
            {"PNTWT", std::to_string(85 + n % 5 * 15)},
            {"BOTYP", std::to_string(n % 2)},
            {"WHTYP", std::to_string(n % 4)},
            {"RETYP", std::to_string(n % 2)},
            {"BOLEN", std::to_string(n % 3)},
            {"ODLEN", std::to_string(n % 5)}};
}

std::string ensureBenchTable(const std::filesystem::path& file, std::uint32_t records) {
    {
        storage::TableStore existing(file);
        if (existing.open() && existing.recordCount() == records && existing.fields().size() == 19)
            return {};
    }
    if (auto s =
            storage::TableStore::create(file, savedSetupFields(), storage::CodePage::Cp1252, true);
        !s) {
        return s.message();
    }
    std::filesystem::path memoPath = file;
    memoPath.replace_extension(".fpt");
    std::fstream dbf(file, std::ios::in | std::ios::out | std::ios::binary);
    std::fstream fpt(memoPath, std::ios::in | std::ios::out | std::ios::binary);
    char prefix[12];
    dbf.read(prefix, sizeof prefix);
    const std::uint32_t headerLength = storage::coding::getLe16(prefix + 8);
    const auto fields = savedSetupFields();

    dbf.seekp(headerLength);
    fpt.seekp(512);
    std::uint32_t nextBlock = 512 / kBlockSize;
    std::string record;
    std::string buffer;
    for (std::uint32_t n = 1; n <= records; ++n) {
        const auto values = benchValues(n);
        record = " ";
        for (std::size_t i = 0; i < fields.size(); ++i) {
            std::string value = values[i].second;
            if (value.find("ü") != std::string::npos)
                value.replace(value.find("ü"), 2, "\xFC");  // cp1252
            if (fields[i].type == 'M') {
                if (value.empty()) {
                    record += fit("", 10);
                    continue;
                }
                std::string block(8, '\0');
                storage::coding::putBe32(block.data(), 1);
                storage::coding::putBe32(block.data() + 4,
                                         static_cast<std::uint32_t>(value.size()));
                block += value;
                block.resize((block.size() + kBlockSize - 1) / kBlockSize * kBlockSize, '\0');
                fpt.write(block.data(), static_cast<std::streamsize>(block.size()));
                record += fit(std::to_string(nextBlock), 10, true);
                nextBlock += static_cast<std::uint32_t>(block.size() / kBlockSize);
            } else {
                record += fit(value, fields[i].length);
            }
        }
        buffer += record;
        if (buffer.size() > (1 << 20)) {
            dbf.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
        }
    }
    buffer += '\x1A';
    dbf.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    char count[4];
    storage::coding::putLe32(count, records);
    dbf.seekp(4);
    dbf.write(count, 4);
    char next[4];
    storage::coding::putBe32(next, nextBlock);
    fpt.seekp(0);
    fpt.write(next, 4);
    if (!dbf || !fpt) return "cannot write the benchmark table " + file.string();
    return {};
}

}  // namespace quivra::bench
