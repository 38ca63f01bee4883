#include "CustomerExport.h"

#include "BuildsExport.h"
#include "CustomerFiles.h"
#include "TableStore.h"
#include "TempPath.h"

namespace quivra::customers {

storage::Status exportCustomers(const std::filesystem::path& dataDir,
                                const storage::ProgressFn& progress) {
    storage::FileIo& io = storage::FileIo::posix();
    // Its own handle without an index: record order is the order of saving.
    storage::TableStore table(dataDir / kSavedTableFile, io);
    if (storage::Status s = table.open(); !s) return s;
    auto builds = countBuilds(dataDir, io);
    if (!builds) return builds.status();
    const std::uint64_t setups = table.recordCount();
    const std::uint64_t total = setups + *builds;
    const auto scaled = [&](std::uint64_t offset) -> storage::ProgressFn {
        if (!progress) return {};
        return [&progress, offset, total](std::uint64_t done, std::uint64_t) {
            return progress(offset + done, total);
        };
    };

    // Both files are written under temporary names and put in place only
    // when both are complete: a failure or a cancel leaves the earlier
    // custdb.txt and builds.txt as they were.
    const std::filesystem::path customersTmp = storage::temporaryPathFor(dataDir / kExportFile);
    const std::filesystem::path buildsTmp = storage::temporaryPathFor(dataDir / kBuildsExportFile);
    storage::Status s = table.copyToText(customersTmp, kExportTypeCode, scaled(0));
    table.close();
    if (s) s = writeBuildsExport(dataDir, buildsTmp, io, scaled(setups));
    if (s) s = io.rename(customersTmp, dataDir / kExportFile);
    if (s) s = io.rename(buildsTmp, dataDir / kBuildsExportFile);
    (void)io.remove(customersTmp);
    (void)io.remove(buildsTmp);
    return s;
}

}  // namespace quivra::customers
