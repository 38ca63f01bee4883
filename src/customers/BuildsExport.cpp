#include "BuildsExport.h"

#include "BuildStore.h"
#include "CustomerFiles.h"
#include "SavedSetupStore.h"
#include "TextExport.h"

namespace quivra::customers {

using storage::Result;
using storage::Status;

namespace {

// The set-up a build names, when it is still the one the build was saved
// with: its name and date.
struct SetupColumns {
    std::string recNo;
    std::string name;
    std::string date;
};

Result<SetupColumns> setupColumns(SavedSetupStore& setups, const BuildStore::Record& record) {
    SetupColumns columns;
    if (record.setupRecNo == 0 || !setups.isOpen()) return columns;
    Status s = setups.goTo(record.setupRecNo);
    if (!s) return columns;  // beyond the set-ups on file
    auto setup = setups.current();
    if (!setup) return setup.status();
    if (setupSignature(*setup) != record.signature) return columns;
    return SetupColumns{std::to_string(record.setupRecNo), setup->address.name, setup->date};
}

}  // namespace

Result<std::uint32_t> countBuilds(const std::filesystem::path& dataDir, storage::FileIo& io) {
    // The header's count is all it takes: no field check, no index.
    const std::filesystem::path path = dataDir / kBuildsTableFile;
    if (!io.exists(path)) return std::uint32_t{0};
    storage::TableStore table(path, io);
    if (Status s = table.open(); !s) return s;
    return table.recordCount();
}

Status writeBuildsExport(const std::filesystem::path& dataDir, const std::filesystem::path& target,
                         storage::FileIo& io, const storage::ProgressFn& progress) {
    BuildStore builds(dataDir, io);
    // Opened for writing when it is there: a table a crash left damaged is
    // repaired first, as before any save, rather than exported in part.
    Status s = io.exists(dataDir / kBuildsTableFile) ? builds.openForWriting() : Status::ok();
    if (!s) return s;
    SavedSetupStore setups(dataDir, io);
    if (builds.hasTable()) {
        if (s = setups.open(); !s) return s;
    }
    storage::PendingTextFile out(io, target);
    if (s = out.open(); !s) return s;
    std::string& buffer = out.text();
    const std::uint32_t count = builds.recordCount();
    for (std::uint32_t rec = 1; rec <= count; ++rec) {
        auto record = builds.read(rec);
        if (!record) return record.status();
        if (*record) {
            auto columns = setupColumns(setups, **record);
            if (!columns) return columns.status();
            buffer += columns->recNo;
            buffer += ',';
            storage::appendQuotedText(columns->name, buffer);
            buffer += ',';
            storage::appendQuotedText(columns->date, buffer);
            appendDelimitedBuild((*record)->build, buffer);
            buffer += "\r\n";
        }
        if (s = out.flushIfFull(); !s) return s;
        if (progress && rec % 512 == 0 && !progress(rec, count)) {
            return storage::exportCancelled(target);
        }
    }
    if (progress && !progress(count, count)) return storage::exportCancelled(target);
    return out.commit();
}

}  // namespace quivra::customers
