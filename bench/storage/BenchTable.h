#pragma once
// The benchmark table: shaped like the saved set-ups (19 fields, one memo),
// written straight to disk in bulk, since going through post() would sync
// a million times.  Generated once and reused while its size matches.

#include "FieldDef.h"

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace quivra::bench {

std::vector<storage::FieldSpec> savedSetupFields();

// Where the benchmark tables live: QUIVRA_BENCH_DIR, default $TMPDIR/quivra-bench.
std::filesystem::path benchDir();
// A customer-like name ("Quinber K417"): two to four syllables, an initial
// and a number, so that leading-letter searches find many and few matches.
std::string randomName(std::mt19937& rng);

// Records of the generated table: QUIVRA_BENCH_RECORDS, default 1,000,000.
std::uint32_t benchRecords();

// Writes `records` records, every tenth with a memo, to `file` (and its
// .fpt) unless a table of that many records is already there.  Returns an
// error text, empty on success.
std::string ensureBenchTable(const std::filesystem::path& file, std::uint32_t records);
// The same for the standard table, benchDir()/setups.dbf with benchRecords()
// records; `file` receives its path.
std::string ensureBenchTable(std::filesystem::path& file);

// One record's field values for record `n` (1-based), as a caller would set them.
std::vector<std::pair<std::string, std::string>> benchValues(std::uint32_t n);

}  // namespace quivra::bench
