// Temporary index entry points of TableStore until the .idx code lands: every
// index request is refused, so callers see a clear error instead of a wrong order.
#include "IndexFile.h"
#include "TableFile.h"
#include "TableStore.h"

namespace quivra::storage {

namespace {
Status unavailable() { return Status::unsupported("indexes are not available yet"); }
}  // namespace

Status TableStore::selectIndex(const std::filesystem::path&) { return unavailable(); }
void TableStore::closeIndexes() { m_index.reset(); }
Status TableStore::rebuildIndex() { return unavailable(); }
Result<bool> TableStore::seek(std::string_view) { return unavailable(); }
bool TableStore::hasIndex() const { return m_index != nullptr; }
Status TableStore::createIndex(const std::filesystem::path&, std::string_view) {
    return unavailable();
}
Status TableStore::indexAfterPost(std::uint32_t, const std::string&, bool) { return Status::ok(); }

}  // namespace quivra::storage
