#include "DamagedTable.h"

#include "CustomerFiles.h"
#include "TableRepair.h"
#include "TableStore.h"

namespace quivra::customers {

namespace {

DamagedTable health(const std::filesystem::path& table, std::vector<std::filesystem::path> indexes,
                    storage::FileIo& io) {
    DamagedTable d{table, std::move(indexes), storage::Status::ok()};
    storage::TableStore store(table, io);
    if (store.open()) d.damage = store.damage();
    return d;
}

// "a, b and c"
std::string listed(const std::vector<std::filesystem::path>& files) {
    std::string text;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i > 0) text += i + 1 == files.size() ? " and " : ", ";
        text += files[i].filename().string();
    }
    return text;
}

}  // namespace

std::string repairQuestion(const DamagedTable& damaged) {
    return damaged.damage.message() + ".\n\n" + damaged.table.filename().string() +
           " is open for reading only: nothing is saved into it, edited or exported until it "
           "is repaired.\n\nRepair it now? Every whole record is kept, and the damaged files are "
           "first copied to a dated backup beside them.";
}

std::string refusedMessage(const DamagedTable& damaged) {
    return damaged.damage.message() + ".\n\nNothing is saved into " +
           damaged.table.filename().string() + ", edited or exported until it is repaired.";
}

storage::Result<std::string> repairTable(const DamagedTable& damaged, storage::FileIo& io,
                                         std::chrono::system_clock::time_point now,
                                         const storage::ProgressFn& progress) {
    auto report = storage::TableRepair::repair(damaged.table, damaged.indexes, io, now, progress);
    if (!report) return report.status();
    return damaged.table.filename().string() + " has been repaired. " + report->text() +
           "\n\nThe damaged files were kept as " + listed(report->backups) + " in " +
           damaged.table.parent_path().string() + ".";
}

DamagedTable savedTableHealth(const std::filesystem::path& dataDir, storage::FileIo& io) {
    return health(dataDir / kSavedTableFile, {dataDir / kSavedIndexFile}, io);
}

DamagedTable shopTableHealth(const std::filesystem::path& dataDir, storage::FileIo& io) {
    return health(dataDir / kShopTableFile, {}, io);
}

}  // namespace quivra::customers
