#include "CustomerExport.h"

#include "CustomerFiles.h"
#include "TableStore.h"

namespace quivra::customers {

storage::Status exportCustomers(const std::filesystem::path& dataDir,
                                const storage::ProgressFn& progress) {
    // Its own handle without an index: record order is the order of saving.
    storage::TableStore table(dataDir / kSavedTableFile);
    if (storage::Status s = table.open(); !s) return s;
    storage::Status s = table.copyToText(dataDir / kExportFile, kExportTypeCode, progress);
    table.close();
    return s;
}

}  // namespace quivra::customers
