#include "FieldWidths.h"

#include "TableStore.h"

namespace quivra::customers {

storage::Result<FieldWidths> characterFieldWidths(const std::filesystem::path& table) {
    storage::TableStore store(table);
    if (storage::Status s = store.open(); !s) return s;
    FieldWidths widths;
    for (const storage::FieldDef& f : store.fields()) {
        if (f.type == 'C') widths[f.name] = f.length;
    }
    store.close();
    return widths;
}

}  // namespace quivra::customers
