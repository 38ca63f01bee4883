#include "BuildsExport.h"

#include "BuildStore.h"
#include "CustomerFiles.h"
#include "SavedSetupStore.h"
#include "TempPath.h"
#include "TextExport.h"

namespace quivra::customers {

using storage::Result;
using storage::Status;

namespace {

constexpr std::size_t kFlushSize = 1 << 20;

Status cancelled(const std::filesystem::path& target) {
    return Status::cancelled("The export to '" + target.string() +
                             "' was cancelled; nothing was written");
}

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
    const std::filesystem::path tmp = storage::temporaryPathFor(target);
    auto file = io.open(tmp, storage::FileIo::Mode::CreateNew);
    if (!file) return file.status();
    const auto fail = [&](Status why) {
        file.value().reset();
        (void)io.remove(tmp);
        return why;
    };
    const std::uint32_t count = builds.recordCount();
    std::string buffer;
    std::uint64_t written = 0;
    for (std::uint32_t rec = 1; rec <= count; ++rec) {
        auto record = builds.read(rec);
        if (!record) return fail(record.status());
        if (*record) {
            auto columns = setupColumns(setups, **record);
            if (!columns) return fail(columns.status());
            buffer += columns->recNo;
            buffer += ',';
            storage::appendQuotedText(columns->name, buffer);
            buffer += ',';
            storage::appendQuotedText(columns->date, buffer);
            appendDelimitedBuild((*record)->build, buffer);
            buffer += "\r\n";
        }
        if (buffer.size() >= kFlushSize) {
            if (s = file.value()->writeAt(written, buffer.data(), buffer.size()); !s)
                return fail(s);
            written += buffer.size();
            buffer.clear();
        }
        if (progress && rec % 512 == 0 && !progress(rec, count)) return fail(cancelled(target));
    }
    if (!buffer.empty()) {
        if (s = file.value()->writeAt(written, buffer.data(), buffer.size()); !s) return fail(s);
    }
    if (s = file.value()->sync(); !s) return fail(s);
    if (progress && !progress(count, count)) return fail(cancelled(target));
    file.value().reset();  // closed before the rename
    if (s = io.rename(tmp, target); !s) return fail(s);
    return Status::ok();
}

}  // namespace quivra::customers
