#include "TableCheck.h"

#include "TableFile.h"

#include <algorithm>

namespace quivra::storage {

namespace {

constexpr std::uint32_t kBatch = 4096;

}  // namespace

Status TableCheck::run(const TableFile& table, const ProgressFn& progress) {
    if (!table.damage().isOk()) return table.damage();
    const std::uint32_t count = table.recordCount();
    const std::size_t rl = table.recordLength();
    std::string records;
    for (std::uint32_t first = 1; first <= count; first += kBatch) {
        const std::uint32_t n = std::min(kBatch, count - first + 1);
        if (Status s = table.readRecords(first, n, records); !s) return s;
        // Bad deleted flags are added to the damage as the records are read.
        if (!table.damage().isOk()) return table.damage();
        for (std::uint32_t i = 0; i < n; ++i) {
            const std::string_view record(records.data() + i * rl, rl);
            for (std::size_t f = 0; f < table.fields().size(); ++f) {
                if (!isMemoType(table.fields()[f].type)) continue;
                if (auto memo = table.memoText(record, f); !memo) {
                    return Status::corruption("Record " + std::to_string(first + i) + ", field " +
                                              table.fields()[f].name + ": " +
                                              memo.status().message());
                }
            }
        }
        if (progress && !progress(first + n - 1, count)) {
            return Status::cancelled("The check of table '" + table.path().string() +
                                     "' was cancelled");
        }
    }
    return Status::ok();
}

}  // namespace quivra::storage
