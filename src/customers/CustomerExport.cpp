#include "CustomerExport.h"

#include "CustomerFiles.h"
#include "SavedSetupStore.h"

namespace quivra::customers {

storage::Status exportCustomers(const std::filesystem::path& dataDir,
                                const storage::ProgressFn& progress) {
    SavedSetupStore store(dataDir);
    return store.exportText(dataDir / kExportFile, progress);
}

}  // namespace quivra::customers
