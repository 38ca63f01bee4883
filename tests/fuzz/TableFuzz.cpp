// libFuzzer target: arbitrary bytes as a table and its memo file (input
// layout in FuzzInput.h: the table first, the memo file after it).  The
// table is opened, walked both ways, every field read in every form,
// exported, then appended to and edited, and finally repaired, all in
// memory.  Any crash,
// sanitizer report or endless loop is a fault; error statuses are expected.

#include "FuzzInput.h"
#include "MemoryFileIo.h"
#include "TableCheck.h"
#include "TableFile.h"
#include "TableRepair.h"
#include "TableStore.h"

#include <chrono>

#include <cstddef>
#include <cstdint>

namespace {

using quivra::storage::MemoryFileIo;
using quivra::storage::TableCheck;
using quivra::storage::TableFile;
using quivra::storage::TableRepair;
using quivra::storage::TableStore;

void readCurrent(const TableStore& t) {
    for (const auto& f : t.fields()) {
        (void)t.fieldText(f.name);
        (void)t.fieldInt(f.name);
        (void)t.fieldFloat(f.name);
    }
}

// The repair path on whatever the table now is: stopped at its first
// progress report it must leave every byte as it was; run through, it must
// leave a table that opens without damage and passes the full check.
void repairAndCheck(MemoryFileIo& io) {
    const auto now = std::chrono::system_clock::time_point{};
    const std::string table = io.file("t.dbf");
    const std::string memo = io.file("t.fpt");
    auto stopped = TableRepair::repair("t.dbf", {}, io, now,
                                       [](std::uint64_t, std::uint64_t) { return false; });
    // (A table opens only with a header, so the backup always reports.)
    if (stopped.isOk() || io.file("t.dbf") != table || io.file("t.fpt") != memo) {
        __builtin_trap();
    }
    auto report = TableRepair::repair("t.dbf", {}, io, now);
    if (!report) return;  // refused: field descriptions, version, memo file
    auto repaired = TableFile::open("t.dbf", io);
    if (!repaired || !(*repaired)->damage().isOk() || !TableCheck::run(**repaired)) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto files = quivra::fuzz::splitFiles(data, size, 2);
    MemoryFileIo io;
    io.setFile("t.dbf", files[0]);
    io.setFile("t.fpt", files[1]);
    io.setFile("t.dbt", files[1]);
    TableStore t("t.dbf", io);
    if (!t.open()) return 0;

    // Forward, bounded by what the table says it holds.
    std::uint32_t steps = 0;
    while (!t.eof() && steps++ <= t.recordCount()) {
        readCurrent(t);
        if (!t.next()) break;
    }
    if (steps > t.recordCount() + 1) __builtin_trap();  // navigation ran in a circle
    // Backward from the end.
    steps = 0;
    if (t.last()) {
        while (!t.bof() && !t.eof() && steps++ <= t.recordCount()) {
            readCurrent(t);
            if (!t.previous()) break;
        }
    }
    (void)t.goTo(t.recordCount());
    (void)t.copyToText("out.txt", 21);

    // Writing into whatever the table turned out to be.
    if (t.appendBlank()) {
        for (const auto& f : t.fields()) (void)t.setFieldText(f.name, "12");
        (void)t.post();
        t.cancel();
    }
    if (t.first() && !t.eof() && t.edit()) {
        for (const auto& f : t.fields()) (void)t.setFieldText(f.name, "Zoë 7");
        (void)t.post();
        t.cancel();
    }
    readCurrent(t);
    t.close();
    repairAndCheck(io);
    return 0;
}
